#include "ContactCommands.h"

#include "MainSignalSender.h"
#include "entries/FriendLabelEntry.h"
#include "app/SystemSetData.h"
#include "common/CommonFun.h"
#include "log/ShellLog.h"

#include <lumio/Commands.h>
#include <lumio/RequestData.h>
#include <lumio/VcardInfo.h>

#include <QMap>
#include <QPixmap>

namespace {

struct LabelRequest
{
    QString jid;
    QString labelName;
    QString messageId;
    bool flag = false;
};

LabelRequest readLabelRequest(PayloadReader &in)
{
    LabelRequest request;
    request.jid = in.readString();
    request.labelName = in.readString();
    request.messageId = in.readString();
    request.flag = in.readBool();
    return request;
}

void friendInfo(CommandContext &c)
{
    const QString jid = c.in().readString();
    if (const auto card = c.copyOf<VcardInfo>())
        c.signalSender().emitFriendInfo(jid, *card);
}

void unconfirmedLabels(CommandContext &c)
{
    const auto labelIds = c.copyOf<QMap<QString, QStringList>>();
    const auto labels = c.copyOf<QMap<QString, QString>>();
    if (labelIds && labels)
        c.signalSender().emitMyUnconfirmedResultReceived(*labelIds, *labels);
}

// A user folder other than the current account's must still be a plain folder name.
QString userFolderFor(const SystemSetData &settings, const QString &account)
{
    if (account.isEmpty())
        return settings.accountFolder();
    if (!SystemSetData::isUsableFolderName(account)) {
        LOG_WARN(QStringLiteral("head image for account \"%1\": not a folder name").arg(account));
        return {};
    }
    return settings.messageFilePath() + QLatin1Char('/') + account;
}

void headImagePath(CommandContext &c)
{
    const QString imageUrl = c.in().readString();
    const int size = c.in().readInt();
    const QString jid = c.in().readString();
    const QString account = c.in().readString();
    if (!c.expectsAnswer())
        return;
    const QString folder = userFolderFor(c.settings(), account);
    c.answer(folder.isEmpty() ? QString() : CommonFun::headImagePath(folder, imageUrl, jid, size));
}

bool acceptableSide(int side)
{
    return side > 0 && side <= ContactCommands::MaxHeadImageSide;
}

void saveHeadImage(CommandContext &c)
{
    const QString imageUrl = c.in().readString();
    const QString jid = c.in().readString();
    const int width = c.in().readInt();
    const int height = c.in().readInt();
    const auto picture = c.copyOf<QPixmap>();
    if (!picture) {
        c.answer(QString());
        return;
    }
    if (!acceptableSide(width) || !acceptableSide(height)) {
        LOG_WARN(
            QStringLiteral("head image of %1: size %2x%3 refused").arg(jid).arg(width).arg(height));
        c.answer(QString());
        return;
    }
    c.answer(CommonFun::saveHeadImage(c.settings().accountFolder(), imageUrl, jid, width, height,
                                      *picture));
}

void addProfileRows(CommandTable &t)
{
    t.insert(Command::MyProfileReceived, [](CommandContext &c) { c.signalSender().emitMyProfileReceived(); });
    t.insert(Command::SetPhoto, [](CommandContext &c) {
        if (const auto photo = c.copyOf<QPixmap>())
            c.signalSender().emitSetphoto(*photo);
    });
    t.insert(Command::FriendDeleted,
             [](CommandContext &c) { c.signalSender().emitDelFriend(c.in().readString()); });
    t.insert(Command::FriendInfo, friendInfo);
    t.insert(Command::FriendInfoReceived, [](CommandContext &c) {
        c.signalSender().emitFriendInfoReceive(c.in().readString());
    });
    t.insert(Command::UpdateStranger,
             [](CommandContext &c) { c.signalSender().emitUpdateStranger(c.in().readString()); });
    t.insert(Command::ContactBlocked,
             [](CommandContext &c) { c.signalSender().emitStrToBlock(c.in().readString()); });
    t.insert(Command::PictureReceived, [](CommandContext &c) {
        const QString jid = c.in().readString();
        const QString picturePath = c.in().readString();
        c.signalSender().emitPicRec(jid, picturePath);
    });
    t.insert(Command::RequestList, [](CommandContext &c) {
        if (const auto requests = c.copyOf<QList<RequestData>>())
            c.signalSender().emitReqlist(*requests);
    });
    t.insert(Command::HeadImagePath, headImagePath);
    t.insert(Command::SaveHeadImage, saveHeadImage);
}

void addLabelRows(CommandTable &t)
{
    t.insert(Command::ConfirmedLabels, [](CommandContext &c) {
        if (const auto labels = c.copyOf<QMap<QString, QString>>())
            c.signalSender().emitMyConfirmedResultReceived(*labels);
    });
    t.insert(Command::UnconfirmedLabels, unconfirmedLabels);
    t.insert(Command::LabelRequestWithoutName, [](CommandContext &c) {
        const LabelRequest r = readLabelRequest(c.in());
        c.signalSender().emitLabelrequestWithNoName(r.jid, r.labelName, r.messageId, r.flag);
    });
    t.insert(Command::LabelRequest, [](CommandContext &c) {
        const LabelRequest r = readLabelRequest(c.in());
        c.signalSender().emitLabelrequest(r.jid, r.labelName, r.messageId, r.flag);
    });
    t.insert(Command::ShowLabelPopup, [](CommandContext &c) {
        const LabelRequest r = readLabelRequest(c.in());
        c.labels().showLabelPopup(r.jid, r.labelName, r.messageId, r.flag);
    });
}

} // namespace

void ContactCommands::addTo(CommandTable &table)
{
    addProfileRows(table);
    addLabelRows(table);
}
