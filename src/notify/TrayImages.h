#pragma once

#include <QHash>
#include <QPixmap>
#include <QString>

// The tray's pictures: the presence table, the log-in frames, and the round
// head image of each flashing sender, built once per sender and kept until
// its card or picture changes.
class TrayImages
{
public:
    static constexpr int HeadSize = 20;

    // Quoted image path per presence code; unknown codes show online.
    static QString presenceIcon(int code);
    // Tooltip state text; code 3 and unknown codes read "在线" right after a
    // log-in result and nothing on a later refresh.
    static QString stateText(int code, bool afterLogin);
    static QString loginFrame(int index);

    QPixmap headImageOf(const QString &jid);
    void drop(const QString &jid) { m_cache.remove(jid); }

private:
    QHash<QString, QPixmap> m_cache;
};
