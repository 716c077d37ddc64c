#include "SettingsCommands.h"

#include "MainSignalSender.h"
#include "ShellEntries.h"
#include "app/settings/SystemSetData.h"
#include "log/ShellLog.h"

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
        c.entries().applySkinAndRepaint();
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
        {0x10B0, [](const SystemSetData &s) { return packed(s.messageFilePath()); }},
        {0x107C, [](const SystemSetData &s) { return packed(s.transferPath()); }},
        {0x106B, [](const SystemSetData &s) { return packed(s.settings().allowShaked); }},
        {0x1072, [](const SystemSetData &s) { return packed(s.settings().autoShowMsg); }},
        {0x1073, [](const SystemSetData &s) { return packed(s.settings().closeVoice); }},
        {0x107D, [](const SystemSetData &s) { return packed(s.settings().autoHide); }},
        {0x1070, [](const SystemSetData &s) { return packed(s.settings().isAutoReply); }},
        {0x1071, [](const SystemSetData &s) { return packed(s.settings().autoReplyStr); }},
        {0x1074, [](const SystemSetData &s) { return packed(s.settings().fastReplyList); }},
        {0x106D, [](const SystemSetData &s) { return packed(s.settings().sendMsgFastkey); }},
        {0x1068, [](const SystemSetData &s) { return packed(qint32(s.settings().headType)); }},
        {0x106A, [](const SystemSetData &s) { return packed(qint32(s.settings().lHeadType)); }},
        {0x1069, [](const SystemSetData &s) { return packed(qint32(s.settings().needHide)); }},
        {0x1238,
         [](const SystemSetData &s) { return packed(qint32(s.currentSkin().backgroundOpacity)); }},
        {0x1199, [](const SystemSetData &) { return packed(UnassignedStoreValue); }},
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
        {0x106E, &SystemSetData::setSendMsgFastkey},
        {0x106F, &SystemSetData::setSnapHide},
        {0x1075, &SystemSetData::setFastReplyStr},
        {0x1077, &SystemSetData::setAutoReplyStr},
        {0x1079, &SystemSetData::setBusyAutoReplyStr},
    };
    return rows;
}

const QHash<int, ListSetter> &listSetters()
{
    static const QHash<int, ListSetter> rows{
        {0x1076, &SystemSetData::setFastReplyList},
        {0x1078, &SystemSetData::setAutoReplyList},
        {0x107A, &SystemSetData::setBusyAutoReplyList},
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
    t.insert(0x1237, [](CommandContext &c) {
        if (const auto skin = c.copyOf<SysUIData>())
            c.signalSender().emitSkinChange(*skin);
    });
    t.insert(0x1239, [](CommandContext &c) { c.entries().showSkinWindow(); });
    t.insert(0x123B, [](CommandContext &c) {
        if (const auto skin = c.copyOf<SysUIData>())
            c.settings().setCurrentSkin(*skin);
    });
}

} // namespace

void SettingsCommands::addTo(CommandTable &table)
{
    addSkinRows(table);
    table.insert(0x1067, loadAccount);
    table.insert(0x107E, reloadAccount);
    table.insert(0x122F, messageSync);
    table.insert(0x106C, chatFont);
    for (auto it = getters().cbegin(); it != getters().cend(); ++it)
        table.insert(it.key(), answerGetter);
    for (auto it = textSetters().cbegin(); it != textSetters().cend(); ++it)
        table.insert(it.key(), setText);
    for (auto it = listSetters().cbegin(); it != listSetters().cend(); ++it)
        table.insert(it.key(), setList);
}
