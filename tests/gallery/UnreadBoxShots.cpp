// The unread box with messages, with requests, and empty, for the screenshots.
#include "GalleryRegistry.h"

#include "../support/ChatBusDouble.h"
#include "bus/MainSignalSender.h"
#include "notify/MsgBox.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

QString stamp(int daysAgo, const QString &clock)
{
    return QDate::currentDate().addDays(-daysAgo).toString(QStringLiteral("yyyy-MM-dd ")) + clock;
}

// A head picture of our own: a coloured disc with the name's first character.
QString head(const QString &folder, const QString &name, const QColor &colour)
{
    QImage image(96, 96, QImage::Format_ARGB32);
    image.fill(colour);
    QPainter p(&image);
    p.setPen(Qt::white);
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(46);
    p.setFont(font);
    p.drawText(image.rect(), Qt::AlignCenter, name.left(1));
    p.end();
    const QString path = folder + QLatin1Char('/') + QString::number(qHash(name)) + QStringLiteral(".png");
    image.save(path);
    return path;
}

MessageData chat(const QString &jid, const QString &id, const QString &name, const QString &text,
                 const QString &time, const QString &colour = QString())
{
    MessageData m;
    m.fromJid = jid;
    m.messageId = id;
    m.fromName = name;
    m.text = text;
    m.body = QString(text).remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    m.time = time;
    m.color = colour;
    return m;
}

struct Data
{
    QTemporaryDir folder;
    ChatBusDouble bus;
};

Data &data()
{
    static Data *d = nullptr;
    if (d)
        return *d;
    d = new Data;
    const QString f = d->folder.path();
    d->bus.own.nickName = QStringLiteral("陈晓明");
    const QString wang = QStringLiteral("fangwang@lumio.example"), li = QStringLiteral("lilei@lumio.example");
    const QString team = QStringLiteral("team@conference.lumio.example"), zhao = QStringLiteral("zhaomin@lumio.example");
    d->bus.cards.insert(wang, VcardInfo{wang, {}, QStringLiteral("王芳"), {}, head(f, QStringLiteral("王"), QColor(0x4d, 0xc9, 0xb0))});
    d->bus.cards.insert(li, VcardInfo{li, {}, QStringLiteral("李雷"), {}, head(f, QStringLiteral("李"), QColor(0x6a, 0x9e, 0xe8))});
    d->bus.cards.insert(zhao, VcardInfo{zhao, {}, QStringLiteral("赵敏"), {}, head(f, QStringLiteral("赵"), QColor(0xf0, 0x9a, 0x5a))});
    d->bus.groups.insert(team, GroupRecord{team, QStringLiteral("设计评审群"), {}});
    MessageData file = chat(wang, QStringLiteral("w3"), QStringLiteral("王芳"), QString(), stamp(0, QStringLiteral("09:42:10")));
    file.type = 4;
    file.body = QStringLiteral("发送了文件 <b>第三季度报告.pdf</b>（2.4 MB）");
    file.strings11[5] = QStringLiteral("第三季度报告.pdf");
    MessageData place = chat(wang, QStringLiteral("w4"), QStringLiteral("王芳"), QString(), stamp(0, QStringLiteral("09:45:31")));
    place.type = 2;
    place.locationAddress = QStringLiteral("滨江路 88 号 创新大厦 12 层");
    place.locationUrl = QStringLiteral("https://maps.lumio.example/?q=31.2,121.5");
    place.body = QStringLiteral("[位置] 滨江路 88 号");
    d->bus.unread.insert(wang, {
        chat(wang, QStringLiteral("w1"), QStringLiteral("王芳"), QStringLiteral("早上好！下午三点的评审会改到 <b>B 会议室</b>。"), stamp(0, QStringLiteral("09:30:02")), QStringLiteral("#2a9d86")),
        chat(wang, QStringLiteral("w2"), QStringLiteral("王芳"), QStringLiteral("报告我先发你一份，麻烦帮忙看看数据部分。"), stamp(0, QStringLiteral("09:41:47")), QStringLiteral("#2a9d86")),
        file, place});
    d->bus.unread.insert(li, {chat(li, QStringLiteral("l1"), QStringLiteral("李雷"), QStringLiteral("明天的接口联调可以提前吗？"), stamp(1, QStringLiteral("18:20:00")))});
    d->bus.unread.insert(team, {chat(team, QStringLiteral("t1"), QStringLiteral("赵敏"), QStringLiteral("新版图标已上传，请大家查看"), stamp(3, QStringLiteral("14:05:00")))});
    return *d;
}

void settleUntil(const std::function<bool()> &done, int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

MsgBox *box(bool withMessages, bool withRequests)
{
    Data &d = data();
    auto *b = new MsgBox;
    b->setPageUrl(QUrl::fromLocalFile(QStringLiteral(LUMIO_MESSAGE_PAGE)));
    b->setUserFolder(d.folder.path());
    d.bus.answerUnread = withMessages;
    QList<RequestData> requests;
    if (withRequests) {
        RequestData r1{QStringLiteral("r1"), QStringLiteral("sunyu@lumio.example"), QStringLiteral("孙宇"),
                       head(d.folder.path(), QStringLiteral("孙"), QColor(0x9b, 0x7b, 0xd8)),
                       QStringLiteral("我是市场部的孙宇，请求添加你为好友"), stamp(0, QStringLiteral("10:12:00"))};
        RequestData r2{QStringLiteral("r2"), QStringLiteral("zhouqi@lumio.example"), QStringLiteral("周琪"),
                       head(d.folder.path(), QStringLiteral("周"), QColor(0xe8, 0x6a, 0x8e)),
                       QStringLiteral("邀请你加入「年会筹备组」"), stamp(2, QStringLiteral("16:40:00"))};
        requests = {r1, r2};
    }
    emit MainSignalSender::instance()->signal_reqlist(requests);
    return b;
}

void present(QWidget *window, const QPoint &at)
{
    auto *b = static_cast<MsgBox *>(window);
    b->move(at);
    b->showMsgBox();
    settleUntil([b] { return b->view()->isReady(); }, 15000);
    auto painted = std::make_shared<bool>(false);
    b->view()->runScript(QStringLiteral("1"), [painted](const QVariant &) { *painted = true; });
    settleUntil([painted] { return *painted; }, 5000);
    settleUntil([] { return false; }, 800);
}

const GalleryShotAdder messages("unread_box_messages", [] { return box(true, false); }, present);
const GalleryShotAdder requests("unread_box_requests", [] { return box(false, true); }, present);
const GalleryShotAdder empty("unread_box_empty", [] { return box(false, false); }, present);

} // namespace
