#pragma once

#include <lumio/PluginInterface.h>

#include <QObject>

#include <functional>
#include <QStringList>

class QFile;

// The end-to-end driver: one source built once per address. The build at the
// driver's own address plays the script named by LUMIO_E2E_SCRIPT and writes
// checkpoints to LUMIO_E2E_REPORT; the builds at the other parties' addresses
// answer the shell's questions with a fixed test user.
class E2ePlugin : public QObject, public PluginInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PluginInterface_iid FILE "e2e.json")
    Q_INTERFACES(PluginInterface)
public:
    E2ePlugin();

    QObject *receiver() override { return this; }
    void setEventManager(EventManager *manager) override;
    QString pluginId() const override { return QStringLiteral(E2E_ADDRESS); }
    void setLogger(SharedLog *) override {}

protected:
    void customEvent(QEvent *event) override;

private:
    void step();
    bool run(const QString &line);
    void send(const QStringList &words);
    void report(const QString &line);
    QWidget *mainWindow() const;
    bool runMessageStep(const QStringList &words);
    // Steps against the real plug-in pack (E2ePackSteps.cpp).
    bool runPackStep(const QStringList &words);
    QString unreadMessages();
    QString ownAccount();
    void pollBoxPage(const QString &name, int expected, qint64 deadline);
    void awaitState(const QString &name, int timeoutMs, const std::function<QString()> &probe,
                    const std::function<bool(const QString &)> &done);
    void pollPage(const QString &name, const QString &text, qint64 deadline);
    bool placePage();

    EventManager *m_bus = nullptr;
    QStringList m_script;
    int m_next = 0;
    // Set while a step polls; the script resumes when it reports.
    bool m_waiting = false;
};
