#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <optional>

#include "ui/BaseDialogEx.h"


// Warns once when a folder holding the user's files is nearly out of space;
// the warning's OK opens the clear-files dialog.
class DiskWatch : public QObject
{
    Q_OBJECT
public:
    static constexpr quint64 LowMegabytes = 200;
    static constexpr quint64 UnknownMegabytes = 20000;

    using Query = std::function<std::optional<quint64>(const QString &folder)>;
    explicit DiskWatch(Query query, QObject *parent = nullptr);

    // Returns at once; the warning (if any) opens when the event loop turns.
    void check(const QStringList &folders);
    bool warningOpen() const { return m_pending || m_box; }

private:
    void openWarning();

    Query m_query;
    QPointer<BaseDialogEx> m_box;
    bool m_pending = false;
};
