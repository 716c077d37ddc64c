#include "MessageSearch.h"

#include "MessageMapping.h"
#include "SearchIndex.h"
#include "SchemaText.h"
#include "StoreHandle.h"
#include "StoreSql.h"
#include "TimeRange.h"
#include "StoreLog.h"

#include <QSqlError>
#include <QSqlQuery>

QString MessageSearch::TimeRangeStart(const int &rangeCode)
{
    return TimeRange::start(rangeCode);
}

namespace {

MessageSearch::Path g_lastPath = MessageSearch::Path::Like;

// The keyword's own condition on msgrecord, the same on both paths: the sender equals the
// keyword, or true_content contains it literally (LIKE folds ASCII case only).
const QString kKeywordCondition = QStringLiteral("(sender = :sender OR true_content LIKE :pattern ESCAPE '!')");

// The index nominates rows whose true_content holds the keyword's trigrams in sequence
// (case folded, so a superset of the LIKE hits); the sender branch adds rows by sender
// through msgrecord_sender_index. The full condition then decides on every nominee.
const QString kCandidates = QStringLiteral(
    "rowid IN (SELECT rowid FROM lumio_search.fts WHERE fts MATCH :phrase"
    " UNION ALL SELECT rowid FROM main.msgrecord WHERE sender = :candidateSender)");

bool runSearch(QSqlQuery &query, const QString &sql, const MessageSearch::Scope &scope, const QString &keyword,
               const QString &start, bool indexed)
{
    if (!query.prepare(sql))
        return false;
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
    if (indexed) {
        query.bindValue(QStringLiteral(":phrase"), MessageSearch::ftsPhrase(keyword));
        query.bindValue(QStringLiteral(":candidateSender"), StoreSql::bindable(keyword));
    }
    return query.exec();
}

} // namespace

MessageSearch::Path MessageSearch::lastPath()
{
    return g_lastPath;
}

int MessageSearch::codePoints(const QString &keyword)
{
    // Counted in the UTF-8 the statement gets, as the trigram tokenizer sees it.
    const QByteArray utf8 = keyword.toUtf8();
    int count = 0;
    for (const char byte : utf8) {
        if ((static_cast<unsigned char>(byte) & 0xC0) != 0x80)
            ++count;
    }
    return count;
}

QString MessageSearch::ftsPhrase(const QString &keyword)
{
    QString phrase = keyword;
    phrase.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + phrase + QLatin1Char('"');
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
    conditions << kKeywordCondition;
    if (scope.byJid)
        conditions << QStringLiteral("jid = :jid");
    const QString where = conditions.join(QStringLiteral(" AND "));
    // Ties in time keep insertion order on both paths.
    const QString order = QStringLiteral(" ORDER BY time ASC, rowid ASC");

    QList<DBMessageSave> messages;
    QSqlQuery query(db);
    query.setForwardOnly(true);

    // Under three code points the trigram index knows nothing (and LIKE on the FTS table
    // misses short CJK needles): such keywords always scan msgrecord.
    const bool indexed = codePoints(keyword) >= MinIndexedLength && SearchIndex::instance()->readyFor(db);
    g_lastPath = Path::Like;
    if (indexed) {
        const QString sql = QStringLiteral("SELECT ") + SchemaText::messageColumns()
            + QStringLiteral(" FROM main.msgrecord WHERE ") + kCandidates + QStringLiteral(" AND ") + where + order;
        if (runSearch(query, sql, scope, keyword, start, true)) {
            while (query.next())
                messages.append(MessageMapping::fromQuery(query));
            if (!query.lastError().isValid()) {
                g_lastPath = Path::Indexed;
                return messages;
            }
        }
        STORE_LOG_WARN(QStringLiteral("indexed search failed, scanning instead: %1").arg(StoreSql::describe(query.lastError())));
        SearchIndex::instance()->indexedQueryFailed(db, query.lastError());
        messages.clear();
        query = QSqlQuery(db);
        query.setForwardOnly(true);
    }

    const QString sql = QStringLiteral("SELECT ") + SchemaText::messageColumns() + QStringLiteral(" FROM msgrecord WHERE ")
        + where + order;
    if (!runSearch(query, sql, scope, keyword, start, false)) {
        STORE_LOG_WARN(QStringLiteral("search failed: %1").arg(StoreSql::describe(query.lastError())));
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
