#pragma once

#include "StoreExport.h"

#include "DBMessageSave.h"

#include <QList>
#include <QString>

// Keyword searches of msgrecord: a message matches when its sender is the keyword or its
// true_content contains it literally. Oldest first; the range code limits the time.
class LUMIO_STORE_EXPORT MessageSearch
{
public:
    static QString TimeRangeStart(const int &rangeCode);

    static QList<DBMessageSave> SearchMessagesByJid(const QString &jid, const QString &keyword,
                                                    const int &rangeCode);
    static QList<DBMessageSave> SearchMessagesByFlag(const QString &jid, const QString &messageFlag,
                                                     const QString &keyword, const int &rangeCode);
    static QList<DBMessageSave> SearchConversationByJid(const QString &jid, const QString &suffix,
                                                        const QString &keyword, const int &rangeCode);
    static QList<DBMessageSave> SearchConversation(const QString &jid, const QString &suffix,
                                                   const QString &keyword, const int &rangeCode);

    struct Scope
    {
        QString messageFlag;
        QString uniqueJid;
        QString jid;
        bool byFlag = false;
        bool byConversation = false;
        bool byJid = false;
    };
    static QList<DBMessageSave> search(const Scope &scope, const QString &keyword, int rangeCode);

    // Which way the last search went: the index picked the candidates, or every row of the
    // scope was compared. Both give the same rows in the same order.
    enum class Path { Like, Indexed };
    static Path lastPath();
    // Keywords shorter than this many code points are never looked up in the trigram index.
    static constexpr int MinIndexedLength = 3;
    static int codePoints(const QString &keyword);
    // The keyword as one FTS5 phrase: quoted, inner quotes doubled, so that operators,
    // column filters and quotes in it are plain text.
    static QString ftsPhrase(const QString &keyword);
};
