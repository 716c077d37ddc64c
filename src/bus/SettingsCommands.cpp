#include "SettingsCommands.h"

#include "MainSignalSender.h"
#include "entries/MainWindowEntry.h"
#include "entries/SkinEntry.h"
#include "app/SystemSetData.h"
#include "log/ShellLog.h"

#include <lumio/Commands.h>
#include <lumio/SysUIData.h>

#include <QSettings>

namespace {

// No setting stands behind this answer yet.
constexpr qint32 UnassignedStoreValue = 0;

void loadAccount(CommandContext &c)
{
    const QString account = c.in().readString();
    c.settings().loadAccount(account);
    if (c.hasMainWindow())
        c.mainWindow().applySkinAndRepaint();
}

void reloadAccount(CommandContext &c)
{
    const QString account = c.in().readString();
    c.settings().initCommonData();
    c.settings().loadAccount(account);
}

void messageSync(CommandContext &c)
{
    const bool sync = c.in().readBool();
    SystemSetData &store = c.settings();
    const QString folder = store.accountFolder();
    if (folder.isEmpty()) {
        LOG_WARN(QStringLiteral("message synchronisation choice before any account; not stored"));
        return;
    }
    QSettings config(folder + QStringLiteral("/config.ini"), QSettings::IniFormat);
    const QString flag = sync ? QStringLiteral("1") : QStringLiteral("0");
    config.setValue(QStringLiteral("msgSetting/msgSync"), flag);
    config.sync();
    if (config.status() != QSettings::NoError) {
        LOG_WARN(QStringLiteral("cannot write the message synchronisation choice to %1")
                     .arg(config.fileName()));
        return;
    }
    store.setMsgSync(flag);
}

void chatFont(CommandContext &c)
{
    if (!c.expectsAnswer())
        return;
    const SystemSetData &store = c.settings();
    const AccountSettings &s = store.settings();
    const QColor colour = store.textColor();
    c.answer(store.chatFontFamily(), store.chatFontSize(), s.bold, s.italic, s.underline,
             colour.isValid() ? colour.name() : QString());
}

using Getter = QByteArray (*)(const SystemSetData &);

template<typename T>
QByteArray packed(const T &value)
{
    return PayloadWriter::pack(value);
}

const QHash<int, Getter> &getters()
{
    static const QHash<int, Getter> rows{
        {Command::MessageFilePath, [](const SystemSetData &s) { return packed(s.messageFilePath()); }},
        {Command::TransferPath, [](const SystemSetData &s) { return packed(s.transferPath()); }},
        {Command::AllowShake, [](const SystemSetData &s) { return packed(s.settings().allowShaked); }},
        {Command::AutoShowMessage, [](const SystemSetData &s) { return packed(s.settings().autoShowMsg); }},
        {Command::CloseVoice, [](const SystemSetData &s) { return packed(s.settings().closeVoice); }},
        {Command::AutoHide, [](const SystemSetData &s) { return packed(s.settings().autoHide); }},
        {Command::IsAutoReply, [](const SystemSetData &s) { return packed(s.settings().isAutoReply); }},
        {Command::AutoReplyText, [](const SystemSetData &s) { return packed(s.settings().autoReplyStr); }},
        {Command::FastReplyList, [](const SystemSetData &s) { return packed(s.settings().fastReplyList); }},
        {Command::SendMessageKey, [](const SystemSetData &s) { return packed(s.settings().sendMsgFastkey); }},
        {Command::HeadType, [](const SystemSetData &s) { return packed(qint32(s.settings().headType)); }},
        {Command::ListHeadType, [](const SystemSetData &s) { return packed(qint32(s.settings().lHeadType)); }},
        {Command::NeedHide, [](const SystemSetData &s) { return packed(qint32(s.settings().needHide)); }},
        {Command::SkinOpacity,
         [](const SystemSetData &s) { return packed(qint32(s.currentSkin().backgroundOpacity)); }},
        {Command::ReservedSettingsValue, [](const SystemSetData &) { return packed(UnassignedStoreValue); }},
    };
    return rows;
}

void answerGetter(CommandContext &c)
{
    if (c.expectsAnswer())
        c.answerBytes(getters().value(c.command())(c.settings()));
}

using TextSetter = void (SystemSetData::*)(const QString &);
using ListSetter = void (SystemSetData::*)(const QStringList &);

const QHash<int, TextSetter> &textSetters()
{
    static const QHash<int, TextSetter> rows{
        {Command::SetSendMessageKey, &SystemSetData::setSendMsgFastkey},
        {Command::SetSnapHide, &SystemSetData::setSnapHide},
        {Command::SetFastReplyText, &SystemSetData::setFastReplyStr},
        {Command::SetAutoReplyText, &SystemSetData::setAutoReplyStr},
        {Command::SetBusyAutoReplyText, &SystemSetData::setBusyAutoReplyStr},
    };
    return rows;
}

const QHash<int, ListSetter> &listSetters()
{
    static const QHash<int, ListSetter> rows{
        {Command::SetFastReplyList, &SystemSetData::setFastReplyList},
        {Command::SetAutoReplyList, &SystemSetData::setAutoReplyList},
        {Command::SetBusyAutoReplyList, &SystemSetData::setBusyAutoReplyList},
    };
    return rows;
}

void setText(CommandContext &c)
{
    (c.settings().*textSetters().value(c.command()))(c.in().readString());
}

void setList(CommandContext &c)
{
    (c.settings().*listSetters().value(c.command()))(c.in().readStringList());
}

void addSkinRows(CommandTable &t)
{
    t.insert(Command::SkinChange, [](CommandContext &c) {
        if (const auto skin = c.copyOf<SysUIData>())
            c.signalSender().emitSkinChange(*skin);
    });
    t.insert(Command::ShowSkinWindow, [](CommandContext &c) { c.skin().showSkinWindow(); });
    t.insert(Command::SetCurrentSkin, [](CommandContext &c) {
        if (const auto skin = c.copyOf<SysUIData>())
            c.settings().setCurrentSkin(*skin);
    });
}

} // namespace

void SettingsCommands::addTo(CommandTable &table)
{
    addSkinRows(table);
    table.insert(Command::LoadAccountSettings, loadAccount);
    table.insert(Command::ReloadAccountSettings, reloadAccount);
    table.insert(Command::SetMessageSync, messageSync);
    table.insert(Command::ChatFont, chatFont);
    for (auto it = getters().cbegin(); it != getters().cend(); ++it)
        table.insert(it.key(), answerGetter);
    for (auto it = textSetters().cbegin(); it != textSetters().cend(); ++it)
        table.insert(it.key(), setText);
    for (auto it = listSetters().cbegin(); it != listSetters().cend(); ++it)
        table.insert(it.key(), setList);
}
