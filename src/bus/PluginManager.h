#pragma once

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
    // The table in ascending address order, cheap to copy per event.
    QVector<Route> routes() const { return m_routes; }
    QStringList loadedAddresses() const { return m_loadedAddresses; }

signals:
    void pluginLoaded(const QString &address);

private:
    void rebuildRoutes();

    QString m_folder;
    QStringList m_names;
    EventManager *m_eventManager = nullptr;
    SharedLog *m_log = nullptr;
    QMap<QString, PluginInterface *> m_plugins;
    QVector<Route> m_routes;
    QStringList m_loadedAddresses;
};
