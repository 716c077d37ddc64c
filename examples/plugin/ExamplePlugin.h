#pragma once

#include <lumio/PluginInterface.h>

#include <QObject>

// The smallest useful plug-in: on load it asks the shell one question through the bus and
// records the answer in its log, and in the file $LUMIO_EXAMPLE_ANSWER if that is set.
class ExamplePlugin : public QObject, public PluginInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PluginInterface_iid FILE "example.json")
    Q_INTERFACES(PluginInterface)
public:
    QString pluginName() const override { return QStringLiteral("exampleplugin"); }
    QString pluginVersion() const override;
    QObject *receiver() override { return this; }
    void setEventManager(EventManager *manager) override;
    // A fresh GUID of this plug-in's own; never one of the shell's (lumio/Addresses.h).
    QString pluginId() const override { return QStringLiteral("{9A20F5F7-6CCA-47BF-9F23-8D7AAE2ABFA9}"); }
    void setLogger(SharedLog *log) override { m_log = log; }

protected:
    // Events addressed to this plug-in (or broadcast) arrive here, on the GUI thread.
    void customEvent(QEvent *event) override;

private:
    void askShell();

    EventManager *m_bus = nullptr;
    SharedLog *m_log = nullptr;
};
