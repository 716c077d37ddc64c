#include "CommandTable.h"

#include "log/ShellLog.h"

bool CommandTable::insert(int command, CommandHandler handler)
{
    const QString number = QStringLiteral("0x") + QString::number(command, 16).toUpper();
    if (!handler) {
        LOG_WARN(QStringLiteral("command %1: row without a handler refused").arg(number));
        return false;
    }
    if (m_rows.contains(command)) {
        LOG_WARN(QStringLiteral("command %1: second row refused").arg(number));
        return false;
    }
    m_rows.insert(command, handler);
    return true;
}
