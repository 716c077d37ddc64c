#pragma once

#include <QHash>
#include <QList>

class CommandContext;
using CommandHandler = void (*)(CommandContext &);

// The dispatcher's rows, one handler per command number. A second row for a
// number is refused with a log line: the first stays, so no row silently
// replaces another.
class CommandTable
{
public:
    // False, with a warning, for a number that already has a row or a null handler.
    bool insert(int command, CommandHandler handler);

    CommandHandler value(int command) const { return m_rows.value(command); }
    bool contains(int command) const { return m_rows.contains(command); }
    QList<int> keys() const { return m_rows.keys(); }

private:
    QHash<int, CommandHandler> m_rows;
};
