#pragma once

#include <lumio/PluginInterface.h>

#include <QObject>
#include <QStringList>

// A log-in party as a plug-in: it opens the account's data.db through lumio_store on the
// default connection and writes messages with the store's own functions.
class StoreFixturePlugin : public QObject, public PluginInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID PluginInterface_iid FILE "fixture.json")
    Q_INTERFACES(PluginInterface)
public:
    QObject *receiver() override { return this; }
    void setEventManager(EventManager *) override {}
    QString pluginId() const override { return QStringLiteral("{F1F1F1F1-0000-0000-0000-000000000006}"); }
    void setLogger(SharedLog *) override {}

    // Opens <root>/<account>/data.db and stores one message per text in conversation
    // "p@x/pc", ids "plugin<n>"; false when any step failed.
    Q_INVOKABLE bool logInAndStore(const QString &root, const QString &account, const QStringList &texts);
};
