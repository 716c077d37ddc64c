#include "SchemaText.h"

namespace SchemaText {

const QList<Table> &tables()
{
    static const QList<Table> list{
        {QStringLiteral("login"),
         QStringLiteral(" (account VARCHAR(100) primary key, trueAccount VARCHAR(100),password VARCHAR(1000),"
                        "showType INTEGER, isSavePassword INTEGER, isAutoLogin INTEGER, photoUrl VARCHAR(100), "
                        "loginTime VARCHAR(100),password2 VARCHAR(1000), displayname VARCHAR(100), "
                        "signature VARCHAR(100), empphonenum VARCHAR(100))")},
        {QStringLiteral("latestfriend"),
         QStringLiteral(" (jid VARCHAR(100) primary key, displayname VARCHAR(100), icon VARCHAR(100), "
                        "signature VARCHAR(100), time VARCHAR(100),  isemployee INT, onjob VARCHAR(100))")},
        {QStringLiteral("deletedfriend"),
         QStringLiteral(" (jid VARCHAR(100) primary key, displayname VARCHAR(100), username VARCHAR(100), "
                        "time VARCHAR(100), icon VARCHAR(100), isemployee INT, onjob VARCHAR(100))")},
        {QStringLiteral("msgrecord"),
         QStringLiteral("(id VARCHAR(20) PRIMARY KEY  , jid VARCHAR(100), unique_jid VARCHAR(100), "
                        "sender VARCHAR(100), time VARCHAR(100), font VARCHAR(100), content TEXT, "
                        "true_content TEXT, message_flag VARCHAR(20), title_color VARCHAR(20), "
                        "message_type INT, extension1 VARCHAR(100), extension2 VARCHAR(100), "
                        "extension3 VARCHAR(20), videoRotate VARCHAR(5), messageid VARCHAR(100), "
                        "receivetime VARCHAR(100), readed INT, senderJid VARCHAR(100), "
                        "ztime VARCHAR(100), msgStatus VARCHAR(20))")},
        {QStringLiteral("friendlist"),
         QStringLiteral(" (jid VARCHAR(100) primary key, mysetname VARCHAR(100), nickname VARCHAR(100), "
                        "username VARCHAR(100), issys VARCHAR(100), signature VARCHAR(100), "
                        "vcardversion VARCHAR(100), birthday VARCHAR(100), sex VARCHAR(100), "
                        "address VARCHAR(100), frdsnid VARCHAR(100), sysphotoName VARCHAR(100), "
                        "photoUrl VARCHAR(100), accounttype VARCHAR(100), groupname VARCHAR(100), "
                        "department VARCHAR(100), profession VARCHAR(100), mobile VARCHAR(100), "
                        "extension VARCHAR(100), mail VARCHAR(100), isemployee INT, onjob VARCHAR(100),"
                        "leaderid VARCHAR(100), leadername VARCHAR(100), worklocation VARCHAR(100))")},
        {QStringLiteral("msglist"),
         QStringLiteral(" (jid VARCHAR(100) primary key, lastcontent VARCHAR(100), lastchattime1 VARCHAR(100), "
                        "msg1 VARCHAR(100), sender1 VARCHAR(100), lastchattime2 VARCHAR(100), "
                        "msg2 VARCHAR(100), sender2 VARCHAR(100), lastchattime3 VARCHAR(100), "
                        "msg3 VARCHAR(100), sender3 VARCHAR(100))")},
        {QStringLiteral("requesttable"),
         QStringLiteral(" (id VARCHAR(20) PRIMARY KEY, jid VARCHAR(100), unique_jid VARCHAR(100), "
                        "requesttype VARCHAR(100), sender VARCHAR(100), receiver VARCHAR(100), "
                        "time VARCHAR(100), result VARCHAR(100), statustext TEXT)")},
        {QStringLiteral("mucrecord"),
         QStringLiteral(" (jid VARCHAR(100) , roomJid VARCHAR(100),roomName VARCHAR(100),ownerJid VARCHAR(100),"
                        "managerJid VARCHAR(100),memberCount VARCHAR(100),createTime VARCHAR(100),"
                        "version VARCHAR(100),topsigntype INT,topsigndate VARCHAR(100),classify VARCHAR(20), "
                        "noticesubject VARCHAT(100),noticecontent VARCHAR(1000), localExist VARCHAR(1))")},
        {QStringLiteral("mucmembers"),
         QStringLiteral(" (roomJid VARCHAR(100),memberJid VARCHAR(100),memberName VARCHAR(100),"
                        "memberHead VARCHAR(100))")},
        {QStringLiteral("muclocalmsg"),
         QStringLiteral(" (messageid VARCHAR(20) PRIMARY KEY, jid VARCHAR(100), roomjid VARCHAR(100), "
                        "senderjid VARCHAR(100),  nick VARCHAR(100), msectime VARCHAR(100), body TEXT)")},
        {QStringLiteral("grouptable"), QStringLiteral(" (groupId VARCHAR(100), groupName VARCHAR(100))")},
        {QStringLiteral("dynamicnotice"),
         QStringLiteral(" (noticeid VARCHAR(20) PRIMARY KEY, statusid VARCHAR(20),senderjid VARCHAR(20), "
                        "sendernick VARCHAR(20), noticetype VARCHAR(20),noticecontent TEXT, "
                        "commentid VARCHAR(20), noticetime VARCHAR(20))")},
        {QStringLiteral("callhistoryrecord"),
         QStringLiteral(" (recordid VARCHAR(100), icontype VARCHAR(10), displayname VARCHAR(100),"
                        "phonenum VARCHAR(20), tataltime VARCHAR(32), datetime VARCHAR(32), "
                        "readflag VARCHAR(10), jid VARCHAR(100))")},
        {QStringLiteral("pubaccmsgtable"),
         QStringLiteral(" (pubmsgid  VARCHAR(100) PRIMARY KEY, unique_jid VARCHAR(100), jid VARCHAR(100), "
                        "sender VARCHAR(100), time VARCHAR(100), content TEXT)")},
        {QStringLiteral("filereceviestatus"), QStringLiteral("(fileid VARCHAR(20) PRIMARY KEY, status VARCHAR(100))")},
        {QStringLiteral("cloudfilelocalinfo"),
         QStringLiteral("(cloudfileid VARCHAR(20) PRIMARY KEY, localpath VARCHAR(256))")},
        {QStringLiteral("sharefilelocalinfo"),
         QStringLiteral("(sharefileid VARCHAR(20) PRIMARY KEY, localpath VARCHAR(256))")},
    };
    return list;
}

QString columnsOf(const QString &table)
{
    for (const Table &entry : tables()) {
        if (entry.name == table)
            return entry.columns;
    }
    return {};
}

QString createTable(const QString &table)
{
    return QStringLiteral("CREATE TABLE ") + table + columnsOf(table);
}

QString indexName(const QString &table, int number)
{
    return table + QStringLiteral("_index") + QString::number(number);
}

QString createIndex(const QString &table, int number, const QString &column)
{
    return QStringLiteral("CREATE INDEX ") + indexName(table, number) + QStringLiteral(" on ") + table
        + QLatin1Char('(') + column + QLatin1Char(')');
}

QString messageColumns()
{
    return QStringLiteral("id, jid, unique_jid, sender, time, font, content, true_content, message_flag, "
                          "title_color, message_type, extension1, extension2, extension3, videoRotate, "
                          "messageid, receivetime, readed, senderJid, ztime, msgStatus");
}

} // namespace SchemaText
