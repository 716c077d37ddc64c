#pragma once

#include "store/DBMessageSave.h"

#include <QList>
#include <QSet>
#include <QString>

// A deterministic message history: Chinese and Latin chat lines in many conversations,
// one of them twenty times the size of the others, with three keywords planted in a known
// number of messages each. Any slice can be generated on its own.
class BenchCorpus
{
public:
    static const QString ChineseKeyword; // 4 characters
    static const QString LatinKeyword;   // 9 characters
    static const QString ShortKeyword;   // 2 characters: below the trigram index

    // Every twentieth message belongs to conversation 0, the rest go round the others.
    BenchCorpus(qint64 rows, int conversations, int hitsPerKeyword, quint64 seed, const QString &idPrefix = {});

    qint64 rows() const { return m_rows; }
    int conversations() const { return m_conversations; }
    QList<DBMessageSave> messages(qint64 first, int count) const;
    DBMessageSave message(qint64 index) const;

    static QString jid(int conversation);
    static QString suffix() { return QStringLiteral("/pc"); }
    int conversationOf(qint64 index) const;
    qint64 rowsOf(int conversation) const;
    QString messageId(qint64 index) const;

private:
    QString text(qint64 index) const;

    qint64 m_rows;
    int m_conversations;
    quint64 m_seed;
    QString m_idPrefix;
    QSet<qint64> m_chinese;
    QSet<qint64> m_latin;
    QSet<qint64> m_short;
};
