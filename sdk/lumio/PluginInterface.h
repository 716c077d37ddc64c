#pragma once

#include <QString>
#include <QStringList>
#include <QtPlugin>

class QObject;
class EventManager;
class SharedLog;

// What the shell needs of a plug-in library's root object.
// The order of the virtual functions is part of the plug-in ABI: never reorder.
class PluginInterface
{
public:
    virtual ~PluginInterface() = default;
    virtual QString pluginName() const { return {}; }
    virtual QString pluginVersion() const { return {}; }

    virtual QObject *receiver() = 0;
    virtual void setEventManager(EventManager *manager) = 0;
    virtual QString pluginId() const = 0;

    virtual QString description() const { return {}; }
    virtual QStringList dependencies() const { return {}; }
    virtual QString vendor() const { return {}; }

    virtual void setLogger(SharedLog *log) = 0;
};

#define PluginInterface_iid "com.lumio.PluginInterface/1.0"
Q_DECLARE_INTERFACE(PluginInterface, PluginInterface_iid)
