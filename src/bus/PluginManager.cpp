#include "PluginManager.h"

#include "PluginFileFinder.h"
#include "log/FunctionTrace.h"
#include "log/ShellLog.h"

#include <lumio/PluginInterface.h>

#include <QCoreApplication>
#include <algorithm>
#include <QDebug>
#include <QPluginLoader>

PluginManager *PluginManager::instance()
{
    static auto *manager = new PluginManager;
    return manager;
}

PluginManager::PluginManager(QObject *parent)
    : QObject(parent)
    , m_names(defaultNames())
{
}

QStringList PluginManager::defaultNames()
{
    return {
        QStringLiteral("libchatmanager.so"),
        QStringLiteral("libchatwindow.so"),
        QStringLiteral("libdynamicwindow.so"),
        QStringLiteral("libpublicaccountwindow.so"),
        QStringLiteral("libxmppmanager.so"),
        QStringLiteral("libloginmanager.so"),
        QStringLiteral("libloginwindow.so"),
        QStringLiteral("libfriendmanager.so"),
        QStringLiteral("libfriendwindow.so"),
        QStringLiteral("libsystemsettingwindow.so"),
        QStringLiteral("libprofilemanager.so"),
        QStringLiteral("libprofilewindow.so"),
        QStringLiteral("libfilemanager.so"),
        QStringLiteral("libsipphone.so"),
        QStringLiteral("libsipphonewindow.so"),
    };
}

void PluginManager::setPluginFolder(const QString &folder)
{
    m_folder = folder;
}

void PluginManager::setNameList(const QStringList &names)
{
    const bool blank = std::all_of(names.cbegin(), names.cend(),
                                   [](const QString &n) { return n.trimmed().isEmpty(); });
    m_names = blank ? defaultNames() : names;
}

void PluginManager::setEventManager(EventManager *manager)
{
    m_eventManager = manager;
}

void PluginManager::setLogger(SharedLog *log)
{
    m_log = log;
}

void PluginManager::loadPlugin()
{
    LOG_FUNCTION();
    const QString folder = m_folder.isEmpty()
        ? QCoreApplication::applicationDirPath() + QStringLiteral("/plugins")
        : m_folder;
    const QStringList paths = PluginFileFinder::find(folder, m_names);
    for (const QString &path : paths) {
        QPluginLoader loader(path);
        QObject *root = loader.instance();
        auto *plugin = root ? qobject_cast<PluginInterface *>(root) : nullptr;
        if (!plugin) {
            qDebug().noquote() << "[Info] 加载" << path << "失败" << loader.errorString();
            continue;
        }
        addPlugin(plugin, path);
    }
}

void PluginManager::addPlugin(PluginInterface *plugin, const QString &origin)
{
    if (!plugin)
        return;
    plugin->setLogger(m_log);
    plugin->setEventManager(m_eventManager);
    const QString address = plugin->pluginId();
    if (!plugin->receiver()) {
        LOG_WARN(QStringLiteral("plug-in %1 (%2) has no receiver; skipped").arg(origin, address));
        return;
    }
    m_plugins.insert(address, plugin);
    if (!m_loadedAddresses.contains(address))
        m_loadedAddresses.append(address);
    rebuildRoutes();
    qDebug().noquote() << "[Info] 加载" << origin << "成功";
    emit pluginLoaded(address);
}

QList<PluginInterface *> PluginManager::plugins() const
{
    return m_plugins.values();
}

PluginInterface *PluginManager::plugin(const QString &address) const
{
    return m_plugins.value(address, nullptr);
}

void PluginManager::rebuildRoutes()
{
    m_routes.clear();
    m_routes.reserve(m_plugins.size());
    for (auto it = m_plugins.cbegin(); it != m_plugins.cend(); ++it)
        m_routes.append(Route{it.key(), it.value()});
}
