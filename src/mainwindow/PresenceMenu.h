#pragma once

#include "ui/CMenuEx.h"

#include <functional>

class QAction;

// The five presence entries and what choosing one tells the plug-ins.
// Codes: 0 off-line, 1 online, 2 away, 4 busy, 5 invisible.
class PresenceMenu : public CMenuEx
{
    Q_OBJECT
public:
    static constexpr int Offline = 0;
    static constexpr int Online = 1;
    static constexpr int Away = 2;
    static constexpr int Busy = 4;
    static constexpr int Invisible = 5;

    explicit PresenceMenu(QWidget *parent = nullptr);

    // Entry 1..5 in menu order.
    QAction *entry(int index) const;
    static int codeOfEntry(int index);
    static QString textOf(int code);
    // The status icon of a code, a quoted resource path.
    static QString iconOf(int code);

    int code() const { return m_code; }
    // Shows a code that came from elsewhere (log-in, connection) without telling anyone.
    void setCode(int code);
    // The user's choice: tells the plug-ins, saves it as the next log-in presence.
    void choose(int code, const QString &statusText);

    std::function<void(int code)> saveCode;

signals:
    void presenceChanged(int code);

private:
    int m_code = -1;
};
