#include "PluginManager.h"

#include "PluginFileFinder.h"
#include "log/FunctionTrace.h"
#include "log/ShellLog.h"

#include <lumio/PluginInterface.h>

#include <QCoreApplication>
#include <algorithm>
#include <QDebug>
#include <QFileInfo>
#include <QSet>
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
    QStringList paths = PluginFileFinder::find(folder, m_names);
    // In the configured order, so that of two libraries with one address the
    // later in the list is the one that stays, whatever order the folder lists.
    std::stable_sort(paths.begin(), paths.end(), [this](const QString &a, const QString &b) {
        return m_names.indexOf(QFileInfo(a).fileName()) < m_names.indexOf(QFileInfo(b).fileName());
    });
    const qsizetype firstRecord = m_records.size();
    QSet<QString> found;
    for (const QString &path : std::as_const(paths)) {
        PluginRecord record;
        record.file = QFileInfo(path).fileName();
        record.path = path;
        found.insert(record.file);
        QPluginLoader loader(path);
        QObject *root = loader.instance();
        auto *plugin = root ? qobject_cast<PluginInterface *>(root) : nullptr;
        if (!plugin) {
            qDebug().noquote() << "[Info] 加载" << path << "失败" << loader.errorString();
            record.state = PluginRecord::State::NotAPlugin;
            record.error = root ? QStringLiteral("a Qt plug-in without the Lumio plug-in interface")
                                : loader.errorString();
            m_records.append(record);
            continue;
        }
        admit(plugin, record);
    }
    for (const QString &name : std::as_const(m_names)) {
        if (name.isEmpty() || found.contains(name))
            continue;
        found.insert(name);
        PluginRecord record;
        record.file = name;
        record.error = QStringLiteral("no such library in %1").arg(folder);
        m_records.append(record);
    }
    for (qsizetype i = firstRecord; i < m_records.size(); ++i) {
        const PluginRecord &record = m_records.at(i);
        if (record.isLoaded())
            LOG_INFO(record.summary());
        else
            LOG_WARN(record.summary());
    }
}

void PluginManager::addPlugin(PluginInterface *plugin, const QString &origin)
{
    if (!plugin)
        return;
    PluginRecord record;
    record.file = QFileInfo(origin).fileName();
    record.path = origin;
    admit(plugin, record);
}

void PluginManager::admit(PluginInterface *plugin, PluginRecord record)
{
    plugin->setLogger(m_log);
    plugin->setEventManager(m_eventManager);
    const QString address = plugin->pluginId();
    record.address = address;
    if (!plugin->receiver()) {
        LOG_WARN(QStringLiteral("plug-in %1 (%2) has no receiver; skipped").arg(record.path, address));
        record.state = PluginRecord::State::NoReceiver;
        record.error = QStringLiteral("the plug-in has no receiver for bus events");
        m_records.append(record);
        return;
    }
    if (m_plugins.contains(address)) {
        // The later library wins, but an address taken twice is a packaging
        // fault someone has to see.
        for (PluginRecord &earlier : m_records) {
            if (earlier.isLoaded() && earlier.address == address) {
                earlier.state = PluginRecord::State::DuplicateAddress;
                earlier.replacedBy = record.file;
                earlier.error = QStringLiteral("replaced by %1, which has the same address")
                                    .arg(record.path);
                LOG_WARN(QStringLiteral("plug-in %1 replaces %2 at address %3")
                             .arg(record.path, earlier.path, address));
            }
        }
    }
    m_plugins.insert(address, plugin);
    if (!m_loadedAddresses.contains(address))
        m_loadedAddresses.append(address);
    rebuildRoutes();
    record.state = PluginRecord::State::Loaded;
    m_records.append(record);
    qDebug().noquote() << "[Info] 加载" << record.path << "成功";
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
    m_byAddress.clear();
    m_byData.clear();
    for (auto it = m_plugins.cbegin(); it != m_plugins.cend(); ++it) {
        m_routes.append(Route{it.key(), it.value()});
        m_byAddress.insert(it.key(), it.value());
        m_byData.insert(it.key().constData(), m_routes.last());
    }
}
