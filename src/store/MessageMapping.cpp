#include "MessageMapping.h"

#include "StoreSql.h"

#include <QDateTime>

namespace {

constexpr int MessageColumnCount = 21;

enum Column {
    Id, Jid, UniqueJid, Sender, Time, Font, Content, TrueContent, MessageFlag, TitleColor, MessageType,
    Extension1, Extension2, Extension3, VideoRotate, MessageId, ReceiveTime, Readed, SenderJid, ZTime, MsgStatus
};

template<typename Text>
struct Slots
{
    Text *extension1 = nullptr;
    Text *extension2 = nullptr;
    Text *extension3 = nullptr;
    Text *videoRotateWritten = nullptr;
    Text *videoRotateRead = nullptr;
};

// Text is QString for reads into a message and const QString for writes from one.
template<typename Text, typename Message>
Slots<Text> slotsFor(Message &m)
{
    switch (m.message_type) {
    case 1:
    case 14:
    case 17:
        return {&m.attr13, &m.attr14, &m.attr5, &m.attr15, &m.attr15};
    case 2:
        return {&m.attr1, &m.attr2, nullptr, &m.attr6, nullptr};
    case 3:
        return {&m.attr3, &m.attr7, &m.attr5, &m.attr6, nullptr};
    case 4:
        return {&m.attr3, &m.attr4, &m.attr5, &m.attr6, &m.attr6};
    case 5:
        return {&m.attr10, &m.attr9, &m.attr8, &m.attr6, nullptr};
    case 13:
    case 21:
        // Written from attr6 but read into attr15: callers rely on it.
        return {&m.attr11, &m.attr12, &m.attr5, &m.attr6, &m.attr15};
    case 20:
        return {&m.attr16, nullptr, nullptr, &m.attr6, nullptr};
    default:
        return {nullptr, nullptr, nullptr, &m.attr6, nullptr};
    }
}

QString textOf(const QString *field)
{
    return field ? StoreSql::bindable(*field) : QStringLiteral("");
}

void readInto(QString *field, const QSqlQuery &query, int column)
{
    if (field)
        *field = query.value(column).toString();
}

} // namespace

MessageRow MessageMapping::toRow(const DBMessageSave &message)
{
    const Slots<const QString> fields = slotsFor<const QString>(message);
    MessageRow row;
    row.id = message.id;
    row.jid = message.jid;
    row.unique_jid = message.unique_jid;
    row.sender = message.sender;
    row.time = message.time;
    row.font = message.font;
    row.content = message.content;
    row.true_content = message.true_content;
    row.message_flag = message.message_flag;
    row.title_color = message.title_color;
    row.message_type = message.message_type;
    row.extension1 = textOf(fields.extension1);
    row.extension2 = textOf(fields.extension2);
    row.extension3 = textOf(fields.extension3);
    row.videoRotate = textOf(fields.videoRotateWritten);
    row.messageid = message.messageid;
    row.receivetime = message.receivetime;
    row.readed = message.readed;
    row.senderJid = message.senderJid;
    row.ztime = message.ztime;
    row.msgStatus = message.msgStatus;
    return row;
}

DBMessageSave MessageMapping::fromQuery(const QSqlQuery &query)
{
    DBMessageSave m;
    m.id = query.value(Id).toString();
    m.jid = query.value(Jid).toString();
    m.unique_jid = query.value(UniqueJid).toString();
    m.sender = query.value(Sender).toString();
    m.time = query.value(Time).toString();
    m.font = query.value(Font).toString();
    m.content = query.value(Content).toString();
    m.true_content = query.value(TrueContent).toString();
    m.message_flag = query.value(MessageFlag).toString();
    m.title_color = query.value(TitleColor).toString();
    m.message_type = query.value(MessageType).toInt();
    m.senderJid = query.value(SenderJid).toString();
    m.ztime = query.value(ZTime).toString();
    if (m.ztime.isEmpty()) {
        const QDate date = QDate::fromString(m.time.left(10), QStringLiteral("yyyy-MM-dd"));
        const QTime clock = QTime::fromString(m.time.mid(11), QStringLiteral("hh:mm:ss"));
        if (m.time.size() == 19 && m.time.at(10) == QLatin1Char(' ') && date.isValid() && clock.isValid())
            m.ztime = m.time + QStringLiteral(".000");
    }
    const Slots<QString> fields = slotsFor<QString>(m);
    readInto(fields.extension1, query, Extension1);
    readInto(fields.extension2, query, Extension2);
    readInto(fields.extension3, query, Extension3);
    readInto(fields.videoRotateRead, query, VideoRotate);
    m.messageid = query.value(MessageId).toString();
    m.msgStatus = query.value(MsgStatus).toString();
    return m;
}

void MessageMapping::bindMessage(QSqlQuery &query, const DBMessageSave &m)
{
    // Straight from the message: the batch insert binds 21 values per row, and a row
    // copied first (or a list of them) costs more than SQLite's own work. Last column
    // first: the driver empties its value list after every exec, and binding the highest
    // position first sizes it once instead of growing it value by value.
    const Slots<const QString> fields = slotsFor<const QString>(m);
    int position = MessageColumnCount;
    const auto text = [&query, &position](const QString &value) {
        query.bindValue(--position, StoreSql::bindable(value));
    };
    text(m.msgStatus);
    text(m.ztime);
    text(m.senderJid);
    query.bindValue(--position, m.readed);
    text(m.receivetime);
    text(m.messageid);
    text(textOf(fields.videoRotateWritten));
    text(textOf(fields.extension3));
    text(textOf(fields.extension2));
    text(textOf(fields.extension1));
    query.bindValue(--position, m.message_type);
    text(m.title_color);
    text(m.message_flag);
    text(m.true_content);
    text(m.content);
    text(m.font);
    text(m.time);
    text(m.sender);
    text(m.unique_jid);
    text(m.jid);
    text(m.id);
    Q_ASSERT(position == 0);
}

void MessageMapping::bindRow(QSqlQuery &query, const MessageRow &row)
{
    const QVariant values[] = {
        row.id, row.jid, row.unique_jid, row.sender, row.time, row.font, row.content, row.true_content,
        row.message_flag, row.title_color, row.message_type, row.extension1, row.extension2, row.extension3,
        row.videoRotate, row.messageid, row.receivetime, row.readed, row.senderJid, row.ztime, row.msgStatus};
    int position = 0;
    for (const QVariant &value : values) {
        query.bindValue(position++,
                        value.typeId() == QMetaType::QString ? QVariant(StoreSql::bindable(value.toString())) : value);
    }
}
