#include "MsgBoxData.h"

namespace {

constexpr int PreviewLength = 10;

} // namespace

QString MsgBoxData::formatTime(const QString &time, const QDateTime &now)
{
    const QDateTime at = QDateTime::fromString(
        time, time.size() <= 19 ? QStringLiteral("yyyy-MM-dd hh:mm:ss")
                                : QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz"));
    if (!at.isValid())
        return QString();
    if (at.date().year() != now.date().year())
        return at.toString(QStringLiteral("yy-MM-dd"));
    const qint64 days = at.date().daysTo(now.date());
    if (days == 1)
        return QStringLiteral("昨天");
    if (days <= 0)
        return at.toString(QStringLiteral("hh:mm"));
    return at.toString(QStringLiteral("MM-dd"));
}

QString MsgBoxData::previewOf(const QString &text)
{
    if (text.size() <= PreviewLength)
        return text;
    int cut = PreviewLength;
    if (text.at(cut - 1).isHighSurrogate())
        --cut;
    return text.left(cut) + QStringLiteral("...");
}

MsgBoxData MsgBoxData::fromMessages(const QString &jid, const QList<MessageData> &messages,
                                    const QDateTime &now)
{
    MsgBoxData d;
    d.jid = d.jid2 = jid;
    d.isGroup = jid.contains(QLatin1String("conference"));
    d.count = int(messages.size());
    if (messages.isEmpty())
        return d;
    const MessageData &last = messages.last();
    d.attachmentName = last.attachmentName();
    d.timeText = formatTime(last.time.isEmpty() ? last.secondTime : last.time, now);
    d.preview = previewOf(last.body);
    return d;
}
