#include "ShellServices.h"

#include "LoginCache.h"
#include "MainSignalSender.h"
#include "PLuginData.h"
#include "app/settings/SystemSetData.h"

ShellServices ShellServices::processWide()
{
    ShellServices services;
    services.loginCache = LoginCache::instance();
    services.settings = SystemSetData::instance();
    services.subscriptions = PLuginData::instance();
    services.signalSender = MainSignalSender::instance();
    return services;
}
