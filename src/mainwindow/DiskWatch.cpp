#include "DiskWatch.h"

#include "bus/MainEventProcess.h"
#include "log/ShellLog.h"

#include <QTimer>

DiskWatch::DiskWatch(Query query, QObject *parent)
    : QObject(parent)
    , m_query(std::move(query))
{
}

void DiskWatch::check(const QStringList &folders)
{
    bool low = false;
    for (const QString &folder : folders) {
        if (folder.isEmpty())
            continue;
        std::optional<quint64> free = m_query(folder);
        if (!free) {
            LOG_WARN(QStringLiteral("ERROR: Call to GetDiskFreeSpaceEx() failed."));
            free = UnknownMegabytes;
        }
        low = low || *free < LowMegabytes;
    }
    if (!low || warningOpen())
        return;
    // Called from dispatcher rows: the row must return before any dialog runs.
    m_pending = true;
    QTimer::singleShot(0, this, &DiskWatch::openWarning);
}

void DiskWatch::openWarning()
{
    m_pending = false;
    auto *box = new BaseDialogEx(nullptr, QStringLiteral("提示"),
                                 QStringLiteral("您的个人文件夹所在磁盘空间已满(小于200MB)，请即时清理以免聊天信息等信息无法保存。"),
                                 BaseDialogEx::Message, BaseDialogEx::CloseButton | BaseDialogEx::OkButton,
                                 BaseDialogEx::WarningIcon);
    box->setObjectName(QStringLiteral("diskSpaceWarning"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &BaseDialogEx::signal_OkBtnClicked, this, [] { MainEventProcess::openClearFilesDialog(); });
    m_box = box;
    box->open();
}
