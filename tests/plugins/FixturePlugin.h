#pragma once

#include <lumio/PluginInterface.h>

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QVariantList>

// A plug-in for tests. It records every event it receives in the "received"
// property (one map per event) and, for a command with an "answer_<n>"
// property, writes that answer back (the silent build never answers).
class FixturePlugin : public QObject, public PluginInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PluginInterface_iid FILE "fixture.json")
    Q_INTERFACES(PluginInterface)
public:
    FixturePlugin();

    QObject *receiver() override;
    void setEventManager(EventManager *manager) override { m_bus = manager; }
    QString pluginId() const override { return QStringLiteral(FIXTURE_ADDRESS); }
    void setLogger(SharedLog *log) override { m_log = log; }

    // Sends an event through the bus it was given; for tests that need a plug-in sender.
    Q_INVOKABLE void sendEvent(int command, const QByteArray &data, const QString &target,
                               bool posted);
    Q_INVOKABLE bool hasBus() const { return m_bus != nullptr; }
    Q_INVOKABLE bool hasLogger() const { return m_log != nullptr; }

protected:
    void customEvent(QEvent *event) override;

private:
    EventManager *m_bus = nullptr;
    SharedLog *m_log = nullptr;
};
