#pragma once

#include <lumio/PayloadWriter.h>
#include <lumio/PluginInterface.h>
#include <lumio/SharedLog.h>

#include <QByteArray>
#include <QObject>
#include <QString>

#include <optional>

class BaseEvent;

// What every party of the pack shares: its bus plumbing, answers to questions
// (never to posted events) and the skin every window paints from.
class PackPlugin : public QObject, public PluginInterface
{
    Q_OBJECT
    Q_INTERFACES(PluginInterface)
public:
    explicit PackPlugin(const char *address, QObject *parent = nullptr);

    QObject *receiver() override { return this; }
    void setEventManager(EventManager *manager) override { m_bus = manager; }
    QString pluginId() const override { return m_address; }
    void setLogger(SharedLog *log) override { m_log = log; }
    QString vendor() const override { return QStringLiteral("Lumio"); }

    // Synchronous: the event is gone when this returns.
    void tell(int command, const QString &target, const QByteArray &payload = {});
    // Queued: nobody may wait for an answer.
    void post(int command, const QString &target, const QByteArray &payload = {});
    // Empty when nobody answered.
    std::optional<QByteArray> ask(int command, const QString &target,
                                  const QByteArray &payload = {});

    // False (and a log line) for a posted event: its sender waits for nothing.
    bool answer(BaseEvent &event, const QByteArray &bytes);
    template<typename... Args>
    bool answerWith(BaseEvent &event, const Args &...args)
    {
        return answer(event, PayloadWriter::pack(args...));
    }
    bool answerAddress(BaseEvent &event, const void *object);

    void logInfo(const QString &text) const;
    void logWarn(const QString &text) const;

protected:
    void customEvent(QEvent *event) final;
    // Every event addressed to this party but the skin broadcast.
    virtual void handle(BaseEvent &event) = 0;
    // The skin changed; PackSkin already holds the new one.
    virtual void skinChanged() {}
    // Deletes the party's own windows. Runs when the application is about to quit, and
    // from a destructor only while the application still exists: a library unloaded
    // after it must not touch widgets.
    virtual void releaseWindows() {}
    static bool canReleaseWindows();

    EventManager *bus() const { return m_bus; }

private:
    QString m_address;
    EventManager *m_bus = nullptr;
    SharedLog *m_log = nullptr;
};
