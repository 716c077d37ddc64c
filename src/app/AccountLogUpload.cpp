#include "AccountLogUpload.h"

#include "app/settings/SystemSetData.h"
#include "bus/LoginCache.h"
#include "bus/MainSignalSender.h"
#include "endpoints/CUrlInfo.h"
#include "log/CustomLogger.h"
#include "log/LogContext.h"
#include "log/upload/LogUploadRun.h"
#include "log/ShellLog.h"

AccountLogUpload::AccountLogUpload(const Sources &sources, QObject *parent)
    : QObject(parent)
    , m_sources(sources)
{
    connect(m_sources.signalSender, &MainSignalSender::signal_login, this, &AccountLogUpload::slot_login);
    connect(m_sources.signalSender, &MainSignalSender::signal_logout, this, &AccountLogUpload::slot_logout);
}

AccountLogUpload *AccountLogUpload::forShell(QObject *parent)
{
    Sources sources;
    sources.signalSender = MainSignalSender::instance();
    sources.cache = LoginCache::instance();
    sources.settings = SystemSetData::instance();
    sources.urls = CUrlInfo::instance();
    sources.customLog = [] {
        const LogContext *log = LogContext::published();
        return log ? log->customLogger() : nullptr;
    };
    return new AccountLogUpload(sources, parent);
}

void AccountLogUpload::slot_login()
{
    // A second log-in signal without a change of user keeps the phase and any armed upload.
    if (m_schedule)
        return;
    m_schedule = new LogUploadSchedule(this);
    if (m_clock)
        m_schedule->setClock(m_clock);
    if (m_random)
        m_schedule->setRandom(m_random);
    connect(m_schedule, &LogUploadSchedule::uploadDue, this, &AccountLogUpload::slot_uploadDue);
    m_schedule->start();
    LOG_INFO(QStringLiteral("AccountLogUpload: daily log upload scheduled for account \"%1\"")
                 .arg(m_sources.settings->account()));
}

void AccountLogUpload::slot_logout()
{
    // A run already under way finishes with what it took at its start; nothing new is armed.
    if (!m_schedule)
        return;
    delete m_schedule;
    LOG_INFO(QStringLiteral("AccountLogUpload: change of user; log upload schedule stopped"));
}

void AccountLogUpload::slot_uploadDue()
{
    if (m_run) {
        LOG_INFO(QStringLiteral("AccountLogUpload: an upload is still running; this one skipped"));
        return;
    }
    CustomLogger *log = m_sources.customLog ? m_sources.customLog() : nullptr;
    if (!log || !log->isOpen()) {
        LOG_WARN(QStringLiteral("AccountLogUpload: no open custom log; upload skipped"));
        return;
    }
    LogUploadRun::Target target;
    target.user = m_sources.cache->logUploadUserId();
    target.password = m_sources.cache->logUploadKey();
    target.account = m_sources.settings->account();
    // Checked before packing: packing resets the custom log, and a run without
    // credentials would only fail with the lines already gone from it.
    if (target.user.isEmpty() || target.password.isEmpty()) {
        LOG_WARN(QStringLiteral("AccountLogUpload: no log-upload %1 for account \"%2\"; upload skipped")
                     .arg(target.user.isEmpty() ? QStringLiteral("user id") : QStringLiteral("key"),
                          target.account));
        return;
    }
    if (target.account.isEmpty())
        target.account = target.user;
    target.uploadPointUrl = m_sources.urls->SalUploadpointurl();
    target.objectIdUrl = m_sources.urls->SalQueryobjectidurl();
    target.registerUrl = m_sources.urls->LoguploadRegularUpload();

    auto *run = new LogUploadRun(log, target, this);
    if (m_clock)
        run->setClock(m_clock);
    if (m_timeoutMs > 0)
        run->setTimeout(m_timeoutMs);
    connect(run, &LogUploadRun::finished, this, [this, run](bool success) {
        run->deleteLater();
        m_run = nullptr;
        emit runFinished(success);
    });
    m_run = run;
    LOG_INFO(QStringLiteral("AccountLogUpload: log upload for account \"%1\" started").arg(target.account));
    emit runStarted();
    run->start();
}
