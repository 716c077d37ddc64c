#include "MessageSearch.h"

#include "MessageMapping.h"
#include "SchemaText.h"
#include "StoreHandle.h"
#include "StoreSql.h"
#include "TimeRange.h"
#include "log/ShellLog.h"

#include <QSqlError>
#include <QSqlQuery>

QString MessageSearch::TimeRangeStart(const int &rangeCode)
{
    return TimeRange::start(rangeCode);
}

QList<DBMessageSave> MessageSearch::search(const Scope &scope, const QString &keyword, int rangeCode)
{
    const QSqlDatabase db = StoreHandle::database();

    const QString start = TimeRange::start(rangeCode);
    QStringList conditions;
    if (scope.byFlag)
        conditions << QStringLiteral("message_flag = :flag");
    if (scope.byConversation)
        conditions << QStringLiteral("unique_jid = :uniqueJid");
    if (!start.isEmpty())
        conditions << QStringLiteral("(time BETWEEN :oldTime AND :curTime)");
    conditions << QStringLiteral("(sender = :sender OR true_content LIKE :pattern ESCAPE '!')");
    if (scope.byJid)
        conditions << QStringLiteral("jid = :jid");
    const QString sql = QStringLiteral("SELECT ") + SchemaText::messageColumns() + QStringLiteral(" FROM msgrecord WHERE ")
        + conditions.join(QStringLiteral(" AND ")) + QStringLiteral(" ORDER BY time ASC, rowid ASC");

    QList<DBMessageSave> messages;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(sql)) {
        LOG_WARN(QStringLiteral("search not prepared: %1").arg(StoreSql::describe(query.lastError())));
        return messages;
    }
    if (scope.byFlag)
        query.bindValue(QStringLiteral(":flag"), StoreSql::bindable(scope.messageFlag));
    if (scope.byConversation)
        query.bindValue(QStringLiteral(":uniqueJid"), StoreSql::bindable(scope.uniqueJid));
    if (!start.isEmpty()) {
        query.bindValue(QStringLiteral(":oldTime"), TimeRange::comparableStart(start));
        query.bindValue(QStringLiteral(":curTime"), TimeRange::end());
    }
    query.bindValue(QStringLiteral(":sender"), StoreSql::bindable(keyword));
    query.bindValue(QStringLiteral(":pattern"), StoreSql::containsPattern(keyword));
    if (scope.byJid)
        query.bindValue(QStringLiteral(":jid"), StoreSql::bindable(scope.jid));
    if (!query.exec()) {
        LOG_WARN(QStringLiteral("search failed: %1").arg(StoreSql::describe(query.lastError())));
        return messages;
    }
    while (query.next())
        messages.append(MessageMapping::fromQuery(query));
    return messages;
}

QList<DBMessageSave> MessageSearch::SearchMessagesByJid(const QString &jid, const QString &keyword,
                                                        const int &rangeCode)
{
    Scope scope;
    scope.jid = jid;
    scope.byJid = true;
    return search(scope, keyword, rangeCode);
}

QList<DBMessageSave> MessageSearch::SearchMessagesByFlag(const QString &jid, const QString &messageFlag,
                                                         const QString &keyword, const int &rangeCode)
{
    Scope scope;
    scope.messageFlag = messageFlag;
    scope.byFlag = true;
    scope.jid = jid;
    scope.byJid = true;
    return search(scope, keyword, rangeCode);
}

QList<DBMessageSave> MessageSearch::SearchConversationByJid(const QString &jid, const QString &suffix,
                                                            const QString &keyword, const int &rangeCode)
{
    Scope scope;
    scope.uniqueJid = jid + suffix;
    scope.byConversation = true;
    scope.jid = jid;
    scope.byJid = true;
    return search(scope, keyword, rangeCode);
}

QList<DBMessageSave> MessageSearch::SearchConversation(const QString &jid, const QString &suffix,
                                                       const QString &keyword, const int &rangeCode)
{
    Scope scope;
    scope.uniqueJid = jid + suffix;
    scope.byConversation = true;
    return search(scope, keyword, rangeCode);
}
