#pragma once

#include "log/upload/LogUploadSchedule.h"

#include <QObject>
#include <QPointer>

#include <functional>

class CUrlInfo;
class CustomLogger;
class LogUploadRun;
class LoginCache;
class MainSignalSender;
class SystemSetData;

// The daily log upload of the logged-in user: the schedule runs from log-in until the
// user changes, and each due tick starts one upload run with the user's log-upload id and key.
class AccountLogUpload : public QObject
{
    Q_OBJECT
public:
    struct Sources {
        MainSignalSender *signalSender = nullptr;
        const LoginCache *cache = nullptr;
        const SystemSetData *settings = nullptr;
        const CUrlInfo *urls = nullptr;
        std::function<CustomLogger *()> customLog;
    };

    AccountLogUpload(const Sources &sources, QObject *parent = nullptr);
    // On the process-wide hub, cache, settings, URLs and the published custom log.
    static AccountLogUpload *forShell(QObject *parent);

    // Applied to each schedule made at log-in and to the runs' file names.
    void setClock(LogUploadSchedule::Clock clock) { m_clock = std::move(clock); }
    void setRandom(LogUploadSchedule::Random random) { m_random = std::move(random); }
    // Per request of each run; 0 keeps the upload's own default.
    void setTimeout(int ms) { m_timeoutMs = ms; }

    // Null while nobody is logged in.
    LogUploadSchedule *schedule() const { return m_schedule; }
    bool isRunning() const { return !m_run.isNull(); }

signals:
    void runStarted();
    void runFinished(bool success);

private slots:
    void slot_login();
    void slot_logout();
    void slot_uploadDue();

private:
    Sources m_sources;
    LogUploadSchedule::Clock m_clock;
    LogUploadSchedule::Random m_random;
    int m_timeoutMs = 0;
    QPointer<LogUploadSchedule> m_schedule;
    QPointer<LogUploadRun> m_run;
};
