#pragma once

#include "PluginRecord.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QStringList>
#include <QVector>

class EventManager;
class PluginInterface;
class SharedLog;

// Loads the configured plug-in libraries once and keeps them by bus address.
class PluginManager : public QObject
{
    Q_OBJECT
public:
    struct Route
    {
        QString address;
        PluginInterface *plugin = nullptr;
    };

    static PluginManager *instance();
    explicit PluginManager(QObject *parent = nullptr);

    static QStringList defaultNames();

    void setPluginFolder(const QString &folder);
    // An empty list, or one of blanks only, means the built-in defaults.
    void setNameList(const QStringList &names);
    void setEventManager(EventManager *manager);
    void setLogger(SharedLog *log);

    void loadPlugin();
    // For the bus and tests; a plug-in from outside a library.
    void addPlugin(PluginInterface *plugin, const QString &origin);

    QList<PluginInterface *> plugins() const;
    PluginInterface *plugin(const QString &address) const;
    // The same for every routed event. Most senders name a target with the very
    // string its plug-in reported, which is found by its data pointer before
    // any characters are hashed: the same data and length are the same address.
    PluginInterface *routeTo(const QString &address) const
    {
        const auto known = m_byData.constFind(address.constData());
        if (known != m_byData.cend() && known->address.size() == address.size())
            return known->plugin;
        return m_byAddress.value(address, nullptr);
    }
    // The table in ascending address order, cheap to copy per event.
    QVector<Route> routes() const { return m_routes; }
    QStringList loadedAddresses() const { return m_loadedAddresses; }
    // One per library looked at, in load order, then the configured names with no file.
    QList<PluginRecord> records() const { return m_records; }

signals:
    void pluginLoaded(const QString &address);

private:
    void admit(PluginInterface *plugin, PluginRecord record);
    void rebuildRoutes();

    QString m_folder;
    QStringList m_names;
    EventManager *m_eventManager = nullptr;
    SharedLog *m_log = nullptr;
    QMap<QString, PluginInterface *> m_plugins;
    QHash<QString, PluginInterface *> m_byAddress;
    // Keyed by the character data of the table's own address strings.
    QHash<const QChar *, Route> m_byData;
    QVector<Route> m_routes;
    QStringList m_loadedAddresses;
    QList<PluginRecord> m_records;
};
