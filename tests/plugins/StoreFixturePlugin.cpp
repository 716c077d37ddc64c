#include "StoreFixturePlugin.h"

#include "CLocalDataBase.h"
#include "SearchIndex.h"

bool StoreFixturePlugin::logInAndStore(const QString &root, const QString &account, const QStringList &texts)
{
    if (!CLocalDataBase::Open(account, root, true))
        return false;
    // A fresh data.db: the index's first pass has nothing to read.
    if (!SearchIndex::instance()->catchUp())
        return false;
    QList<DBMessageSave> messages;
    for (int i = 0; i < texts.size(); ++i) {
        DBMessageSave m;
        m.id = QStringLiteral("plugin%1").arg(i);
        m.jid = QStringLiteral("p@x");
        m.unique_jid = QStringLiteral("p@x/pc");
        m.sender = QStringLiteral("a@x");
        m.message_flag = QStringLiteral("C");
        m.time = QStringLiteral("2012-01-01 00:00:%1").arg(i, 2, 10, QLatin1Char('0'));
        m.true_content = texts.at(i);
        messages << m;
    }
    return CLocalDataBase::InsertMessages(messages.mid(1), QSqlDatabase::database())
        && (messages.isEmpty() || CLocalDataBase::InsertMessage(messages.first()));
}
