#include "AccountSettingsLoader.h"

#include "log/ShellLog.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryFile>

namespace {

// QSettings tells of a damaged file only to the first instance that parses it
// (later ones share the parse), and of a damaged section only once it is read:
// judge a private copy, read in full.
bool readsCleanly(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.readAll();
    QTemporaryFile copy;
    if (file.error() != QFileDevice::NoError || !copy.open() || copy.write(bytes) != bytes.size()
        || !copy.flush())
        return false;
    QSettings ini(copy.fileName(), QSettings::IniFormat);
    ini.allKeys();
    return ini.status() == QSettings::NoError;
}

class Reader
{
public:
    explicit Reader(const QString &path)
        : m_ini(path, QSettings::IniFormat)
    {
        const QFileInfo info(path);
        m_exists = info.exists();
        m_writable = m_exists && readsCleanly(path);
        if (m_exists && !m_writable)
            LOG_WARN(QStringLiteral("%1 is unreadable or damaged; using defaults and leaving it untouched")
                         .arg(path));
    }

    ~Reader()
    {
        if (m_changed)
            m_ini.sync();
    }

    QString text(const char *key) const
    {
        if (!m_writable)
            return {};
        const QVariant value = m_ini.value(QLatin1String(key));
        // An unquoted "a,b" comes back as a list; the text is what was written.
        if (value.typeId() == QMetaType::QStringList)
            return value.toStringList().join(QLatin1Char(','));
        return value.toString();
    }

    QStringList list(const char *key) const
    {
        return m_writable ? m_ini.value(QLatin1String(key)).toStringList() : QStringList();
    }

    bool flag(const char *key) const { return m_writable && m_ini.value(QLatin1String(key)).toBool(); }
    double number(const char *key) const { return m_writable ? m_ini.value(QLatin1String(key)).toDouble() : 0; }
    int integer(const char *key) const { return m_writable ? m_ini.value(QLatin1String(key)).toInt() : 0; }

    void write(const char *key, const QString &value)
    {
        if (!m_writable)
            return;
        m_ini.setValue(QLatin1String(key), value);
        m_changed = true;
    }

    void remove(const char *key)
    {
        if (!m_writable || !m_ini.contains(QLatin1String(key)))
            return;
        m_ini.remove(QLatin1String(key));
        m_changed = true;
    }

private:
    QSettings m_ini;
    bool m_exists = false;
    bool m_writable = false;
    bool m_changed = false;
};

QString defaultedText(Reader &reader, const char *key, const QString &fallback)
{
    const QString value = reader.text(key);
    if (!value.isEmpty())
        return value;
    reader.write(key, fallback);
    return fallback;
}

} // namespace

AccountSettings AccountSettingsLoader::load(const QString &configPath,
                                            const QString &defaultTransferPath,
                                            const SkinHook &skinHook)
{
    AccountSettings s;
    Reader r(configPath);

    s.autoLogin = r.text("/basicSetting/autoLogin");
    s.autoLunch = r.text("/basicSetting/autoLunch");
    s.autoLoginStatus = r.text("/basicSetting/autoLogin_statu");
    s.mainWindowWarn = r.text("/basicSetting/mainwindowWarn");
    s.hideMainWindow = r.text("/basicSetting/hideMainWindow");
    s.closeMainWindow = r.text("/basicSetting/closeMainWindow");
    s.closeVoice = r.text("/basicSetting/closeVoice");
    s.combineDialog = r.text("/basicSetting/combineDialog");
    s.openUnclosedDialog = r.text("/basicSetting/openUnColsedDialog");
    s.autoHide = r.text("/basicSetting/autoHide");
    s.alwaysCloseAllDialog = r.text("/basicSetting/alwaysCloseAllDialog");
    s.notAllImUser = r.text("/basicSetting/notAllIMUser");
    s.haveExistFriend = r.text("/basicSetting/haveExistFriend");

    s.transferPath = r.text("/msgSetting/transfilepath");
    if (s.transferPath.isEmpty()) {
        s.transferPath = defaultTransferPath;
        s.defaultTransferPath = defaultTransferPath;
    }
    s.autoShowMsg = r.text("/msgSetting/autoShowMsg");
    s.autoStayOnTop = r.text("/msgSetting/autoStayOnTop");
    s.allowShaked = r.text("/msgSetting/allowShaked");
    s.msgSync = r.text("/msgSetting/msgSync");
    s.showAllRoom = r.text("/msgSetting/showAllRoom") == QLatin1String("1");

    s.changeToAway = r.text("/statusSetting/ChangeToAway");
    s.awayMinute = r.text("/statusSetting/awayMinute");
    s.changeToBusy = r.text("/statusSetting/ChangeToBusy");
    s.isAutoReply = r.text("/statusSetting/IsAutoReply");
    s.autoReplyStr = r.text("/statusSetting/AutoReplyStr");
    s.autoReplyList = r.list("/statusSetting/AutoReplyList");
    s.busyAutoReplyStr = r.text("/statusSetting/BusyAutoReplyStr");
    s.busyAutoReplyList = r.list("/statusSetting/BusyAutoReplyList");
    s.fastReplyStr = r.text("/statusSetting/FastReplyStr");
    s.fastReplyList = r.list("/statusSetting/FastReplyList");

    s.catchMsgHotkey = r.text("/hotkeySetting/CatchMsgHotkey");
    s.cutPictureHotKey = r.text("/hotkeySetting/CutPictureHotKey");
    s.sendMsgFastkey = r.text("/hotkeySetting/SendMsgFastkey");
    s.snapHide = r.text("/hotkeySetting/SnapHide") == QLatin1String("0") ? QStringLiteral("0")
                                                                           : QStringLiteral("1");

    s.allAllowed = r.text("/safeSetting/allAllowed");
    s.someAllowed = r.text("/safeSetting/someAllowed");
    s.allForbidden = r.text("/safeSetting/allForbidden");

    s.fontFamily = r.text("/chatFontSetting/fontfamily");
    s.bold = r.flag("/chatFontSetting/isbold");
    s.italic = r.flag("/chatFontSetting/isitalic");
    s.fontSize = r.number("/chatFontSetting/fontsize");
    s.underline = r.flag("/chatFontSetting/hasunderline");
    s.textColorName = r.text("/chatFontSetting/textcolor");
    s.textColor = QColor::fromString(s.textColorName);

    s.headType = r.integer("/IconSetting/HeadType");
    s.lHeadType = r.integer("/IconSetting/L_HeadType");
    if (s.lHeadType == 3)
        s.lHeadType = 1;
    s.needHide = r.integer("/HideSetting/NeedHide");

    s.skinFolder = r.text("/SkinSetting/SkinFolder");
    if (s.skinFolder.isEmpty())
        s.skinFolder = QStringLiteral("Default");
    r.remove("/SkinSetting/BGAlpha");
    r.remove("/SkinSetting/WhiteAlpha");
    s.alphaBackground = defaultedText(r, "/SkinSetting/AlphaBackground", QStringLiteral("255"));
    s.alphaWhite = defaultedText(r, "/SkinSetting/AlphaWhite", QStringLiteral("230"));
    const QString paint = r.text("/SkinSetting/BPaintPic");
    if (paint.isEmpty())
        s.paintPicture = s.skinFolder != QLatin1String("Weather");
    else if (paint == QLatin1String("false"))
        s.paintPicture = false;
    else if (paint == QLatin1String("true"))
        s.paintPicture = true;

    if (skinHook)
        skinHook(s.skinFolder);

    const QString bubble = r.text("/msgSetting/airBubbleMode");
    s.airBubbleMode = bubble.isEmpty() || bubble == QLatin1String("1");
    return s;
}
