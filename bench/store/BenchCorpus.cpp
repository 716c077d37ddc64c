#include "BenchCorpus.h"

#include <QDateTime>
#include <QStringList>

const QString BenchCorpus::ChineseKeyword = QStringLiteral("量子纠缠");
const QString BenchCorpus::LatinKeyword = QStringLiteral("zebrafish");
const QString BenchCorpus::ShortKeyword = QStringLiteral("蝾螈");

namespace {

quint64 mix(quint64 x)
{
    // splitmix64
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

const QStringList &chineseWords()
{
    static const QStringList words{
        "我们", "今天", "会议", "项目", "进度", "讨论", "明天", "客户", "需求", "文档", "测试", "发布",
        "版本", "服务器", "数据库", "问题", "解决", "已经", "完成", "下午", "上午", "时间", "安排", "同事",
        "部门", "经理", "报告", "审批", "流程", "系统", "登录", "消息", "通知", "文件", "下载", "上传",
        "好的", "收到", "谢谢", "辛苦了", "请", "确认", "一下", "这个", "那个", "可以", "没问题", "周末",
        "计划", "预算", "合同", "发票", "邮件", "电话", "视频", "群里", "看看", "马上", "处理", "更新"};
    return words;
}

const QStringList &latinWords()
{
    static const QStringList words{
        "meeting", "project", "status", "review", "deploy", "release", "server", "database", "client",
        "request", "document", "test", "build", "merge", "branch", "ticket", "deadline", "schedule",
        "update", "report", "budget", "design", "feature", "issue", "fix", "please", "thanks", "today",
        "tomorrow", "morning", "afternoon", "lunch", "call", "team", "sprint", "backlog", "customer",
        "invoice", "contract", "approve", "the", "a", "we", "will", "can", "you", "check", "send",
        "before", "after", "Monday", "Friday", "office", "login", "message", "file", "upload", "done"};
    return words;
}

QSet<qint64> pick(qint64 rows, int count, quint64 salt, const QSet<qint64> &taken)
{
    QSet<qint64> chosen;
    quint64 state = salt;
    while (chosen.size() < qMin<qint64>(count, rows - taken.size())) {
        state = mix(state);
        const qint64 index = qint64(state % quint64(rows));
        if (!taken.contains(index))
            chosen.insert(index);
    }
    return chosen;
}

} // namespace

BenchCorpus::BenchCorpus(qint64 rows, int conversations, int hitsPerKeyword, quint64 seed, const QString &idPrefix)
    : m_rows(rows)
    , m_conversations(qMax(conversations, 2))
    , m_seed(seed)
    , m_idPrefix(idPrefix)
{
    m_chinese = pick(rows, hitsPerKeyword, seed ^ 0x1111, {});
    m_latin = pick(rows, hitsPerKeyword, seed ^ 0x2222, m_chinese);
    m_short = pick(rows, hitsPerKeyword, seed ^ 0x3333, m_chinese + m_latin);
}

QString BenchCorpus::jid(int conversation)
{
    return QStringLiteral("user%1@lumio.example").arg(conversation);
}

int BenchCorpus::conversationOf(qint64 index) const
{
    if (index % 20 == 0)
        return 0;
    const qint64 other = index - index / 20 - 1;
    return 1 + int(other % (m_conversations - 1));
}

qint64 BenchCorpus::rowsOf(int conversation) const
{
    if (conversation == 0)
        return (m_rows + 19) / 20;
    const qint64 others = m_rows - (m_rows + 19) / 20;
    const qint64 slot = conversation - 1;
    return others / (m_conversations - 1) + (slot < others % (m_conversations - 1) ? 1 : 0);
}

QString BenchCorpus::messageId(qint64 index) const
{
    const quint64 a = mix(m_seed ^ quint64(index) ^ 0xABCDEFULL);
    const quint64 b = mix(a);
    return QStringLiteral("%1%2").arg(a, 16, 16, QLatin1Char('0')).arg(b, 16, 16, QLatin1Char('0'));
}

QString BenchCorpus::text(qint64 index) const
{
    quint64 state = mix(m_seed ^ (quint64(index) * 0x100000001B3ULL));
    auto next = [&state](int bound) {
        state = mix(state);
        return int(state % quint64(bound));
    };
    QStringList parts;
    QString text;
    if (next(2) == 0) {
        const QStringList &words = chineseWords();
        const int count = 6 + next(15);
        for (int i = 0; i < count; ++i)
            text += words.at(next(int(words.size())));
        text += next(3) == 0 ? QStringLiteral("。") : QStringLiteral("，好吗？");
    } else {
        const QStringList &words = latinWords();
        const int count = 6 + next(11);
        for (int i = 0; i < count; ++i)
            parts << words.at(next(int(words.size())));
        parts.first()[0] = parts.first().at(0).toUpper();
        text = parts.join(QLatin1Char(' ')) + (next(2) ? QStringLiteral(".") : QStringLiteral("?"));
    }
    const QString *planted = m_chinese.contains(index) ? &ChineseKeyword
        : m_latin.contains(index)                       ? &LatinKeyword
        : m_short.contains(index)                       ? &ShortKeyword
                                                        : nullptr;
    if (planted)
        text.insert(next(int(text.size()) + 1), QLatin1Char(' ') + *planted + QLatin1Char(' '));
    return text;
}

DBMessageSave BenchCorpus::message(qint64 index) const
{
    static const qint64 base = QDateTime(QDate(2023, 1, 1), QTime(8, 0), Qt::UTC).toSecsSinceEpoch();
    const int conversation = conversationOf(index);
    DBMessageSave m;
    m.message_flag = QStringLiteral("C");
    m.jid = jid(conversation);
    m.unique_jid = m.jid + suffix();
    m.true_content = text(index);
    m.content = QStringLiteral("<span style=\"font-size:10pt\">") + m.true_content + QStringLiteral("</span>");
    const bool mine = (mix(quint64(index) ^ m_seed) & 1) != 0;
    m.sender = mine ? QStringLiteral("me@lumio.example") : m.jid;
    m.senderJid = m.sender + suffix();
    m.font = QStringLiteral("Microsoft YaHei,10,0,0");
    const QDateTime when = QDateTime::fromSecsSinceEpoch(base + index * 90, Qt::UTC);
    m.time = when.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    m.ztime = m.time + QStringLiteral(".000");
    m.receivetime = m.ztime;
    m.title_color = QStringLiteral("#1a1a1a");
    m.id = m_idPrefix + QString::number(1672560000000LL + index);
    m.message_type = 0;
    m.messageid = messageId(index);
    m.readed = index % 3 == 0 ? 0 : 1;
    m.msgStatus = QStringLiteral("sent");
    return m;
}

QList<DBMessageSave> BenchCorpus::messages(qint64 first, int count) const
{
    QList<DBMessageSave> list;
    list.reserve(count);
    for (qint64 i = first; i < first + count && i < m_rows; ++i)
        list.append(message(i));
    return list;
}
