#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <array>
#include <cstddef>

// The service addresses and the plug-in list of allurl.ini in the application directory.
// Each load() reads every key through one table of kinds and defaults; getters never touch the file.

// X(getter, key, kind, default host, default path). Text rows answer their text, Number rows an
// int, Template rows their text with "%1" filled in; Piece rows feed a composed getter below.
#define LUMIO_URL_KEYS(X) \
    X(TwoStageLoginTheurl, "/TwoStageLogin/theurl", Text, NoHost, "") \
    X(VcardLoadurl, "/vcard/loadurl", Text, NoHost, "") \
    X(VcardUpdateurl, "/vcard/updateurl", Text, NoHost, "") \
    X(VcardDeleteurl, "/vcard/deleteurl", Text, NoHost, "") \
    X(TagsLoadurl, "/tags/loadurl", Text, NoHost, "") \
    X(TagsUpdateurl, "/tags/updateurl", Text, NoHost, "") \
    X(TagsDeleteurl, "/tags/deleteurl", Text, NoHost, "") \
    X(TagsConfirmurl, "/tags/confirmurl", Text, NoHost, "") \
    X(OaurlTheurl, "/oaurl/theurl", Piece, NoHost, "") \
    X(OaurlTarurl, "/oaurl/tarurl", Piece, NoHost, "") \
    X(InnerqueryTheurl, "/innerquery/theurl", Text, NoHost, "") \
    X(RosterContactgroupurl, "/roster/contactgroupurl", Text, NoHost, "") \
    X(RosterContactsurl, "/roster/contactsurl", Text, NoHost, "") \
    X(RosterContactsbygroupidurl, "/roster/contactsbygroupidurl", Template, NoHost, "") \
    X(RosterCreategroupurl, "/roster/creategroupurl", Text, NoHost, "") \
    X(RosterModifygroupurl, "/roster/modifygroupurl", Template, NoHost, "") \
    X(RosterDeletegroupurl, "/roster/deletegroupurl", Template, NoHost, "") \
    X(RosterCreatecontactsurl, "/roster/createcontactsurl", Text, NoHost, "") \
    X(RosterDeletecontactsurl, "/roster/deletecontactsurl", Template, NoHost, "") \
    X(RosterMovecontactsurl, "/roster/movecontactsurl", Text, NoHost, "") \
    X(RosterModifydescurl, "/roster/modifydescurl", Text, NoHost, "") \
    X(RosterFriendsrecommendurl, "/roster/friendsrecommendurl", Text, NoHost, "") \
    X(SearchfriendTheurl, "/searchfriend/theurl", Text, NoHost, "") \
    X(SearchOrgSearchorgurl, "/searchOrg/searchorgurl", Text, NoHost, "") \
    X(SalUploadpointurl, "/sal/uploadpointurl", Text, App, "/offlinefile/im/getuploadurl.do") \
    X(SalDownloadpointurl, "/sal/downloadpointurl", Text, NoHost, "") \
    X(SalQueryobjectidurl, "/sal/queryobjectidurl", Text, App, "/offlinefile/im/getobjectid.do") \
    X(CloudUploadpointurl, "/Cloud/uploadpointurl", Text, NoHost, "") \
    X(CloudSaveofflinefiletopan, "/Cloud/saveofflinefiletopan", Text, NoHost, "") \
    X(CloudSavecloudfiletopan, "/Cloud/savecloudfiletopan", Text, NoHost, "") \
    X(CloudDowncloudfile, "/Cloud/downcloudfile", Text, NoHost, "") \
    X(RecoverFileUrl, "/RecoverFile/Url", Text, NoHost, "") \
    X(RecevieFileCallBackUrl, "/RecevieFileCallBack/Url", Text, NoHost, "") \
    X(SearchFileRecoverStatusUrl, "/SearchFileRecoverStatus/Url", Text, NoHost, "") \
    X(LoguploadTheurl, "/logupload/theurl", Text, NoHost, "") \
    X(UpgradeTheurl, "/upgrade/theurl", Text, NoHost, "") \
    X(UpgradeIp, "/upgrade/ip", Text, NoHost, "") \
    X(UpgradePort, "/upgrade/port", Number, NoHost, "") \
    X(QuestionreportTheurl, "/questionreport/theurl", Text, NoHost, "") \
    X(BindCloudBindUrl, "/bindCloud/bindUrl", Text, NoHost, "") \
    X(BindCloudRelieveBindUrl, "/bindCloud/relieveBindUrl", Text, NoHost, "") \
    X(BindCloudPanAccountUrl, "/bindCloud/panAccountUrl", Text, NoHost, "") \
    X(SearchOrgLocateorgurl, "/searchOrg/locateorgurl", Text, NoHost, "") \
    X(SearchOrgFuzzysearchorgurl, "/searchOrg/fuzzysearchorgurl", Text, NoHost, "") \
    X(DynamicPublishdynamic, "/dynamic/publishdynamic", Text, NoHost, "") \
    X(DynamicDeletedynamic, "/dynamic/deletedynamic", Text, NoHost, "") \
    X(DynamicGetdynamic, "/dynamic/getdynamic", Text, NoHost, "") \
    X(DynamicGetmetion, "/dynamic/getmetion", Text, NoHost, "") \
    X(DynamicGettopicdynamic, "/dynamic/gettopicdynamic", Text, NoHost, "") \
    X(DynamicGettopiclist, "/dynamic/gettopiclist", Text, NoHost, "") \
    X(DynamicUpdatecommentcount, "/dynamic/updatecommentcount", Text, NoHost, "") \
    X(DynamicCommentdynamic, "/dynamic/commentdynamic", Text, NoHost, "") \
    X(DynamicDeletecomment, "/dynamic/deletecomment", Text, NoHost, "") \
    X(DynamicPraisedynamic, "/dynamic/praisedynamic", Text, NoHost, "") \
    X(DynamicCancelpraise, "/dynamic/cancelpraise", Text, NoHost, "") \
    X(DynamicGetnoticecount, "/dynamic/getnoticecount", Text, NoHost, "") \
    X(DynamicClearnotice, "/dynamic/clearnotice", Text, NoHost, "") \
    X(DynamicGetnoticecontent, "/dynamic/getnoticecontent", Text, NoHost, "") \
    X(DynamicGetcommentcontent, "/dynamic/getcommentcontent", Text, NoHost, "") \
    X(DynamicGetclasslist, "/dynamic/getclasslist", Text, NoHost, "") \
    X(DynamicGettopiclistbyid, "/dynamic/gettopiclistbyid", Text, NoHost, "") \
    X(DynamicSearchtopic, "/dynamic/searchtopic", Text, NoHost, "") \
    X(DynamicLatesttopic, "/dynamic/latesttopic", Text, NoHost, "") \
    X(PublicaccountSearchsubedurl, "/publicaccount/searchsubedurl", Text, NoHost, "") \
    X(PublicaccountSearchpubaccurl, "/publicaccount/searchpubaccurl", Text, NoHost, "") \
    X(PublicaccountGetpubaccdetailurl, "/publicaccount/getpubaccdetailurl", Text, NoHost, "") \
    X(PublicaccountGetpubmsgurl, "/publicaccount/getpubmsgurl", Text, NoHost, "") \
    X(PublicaccountGetpubmsgdetailurl, "/publicaccount/getpubmsgdetailurl", Text, NoHost, "") \
    X(PublicaccountGetpubmsgsummaryurl, "/publicaccount/getpubmsgsummaryurl", Text, NoHost, "") \
    X(QueryCloudFileQueryUrl, "/QueryCloudFile/queryUrl", Text, NoHost, "") \
    X(CategroyQueryQueryUrl, "/CategroyQuery/queryUrl", Text, NoHost, "") \
    X(SearchCloudFileSearchUrl, "/SearchCloudFile/searchUrl", Text, NoHost, "") \
    X(HistorymsgLatestfriend, "/historymsg/latestfriend", Text, NoHost, "") \
    X(HistorymsgLatestmsg, "/historymsg/latestmsg", Text, NoHost, "") \
    X(HistorymsgDeleteHistoryMsg, "/historymsg/deleteHistoryMsg", Text, NoHost, "") \
    X(HistorymsgDeleteHistoryMsgById, "/historymsg/deleteHistoryMsgById", Text, NoHost, "") \
    X(HistorymsgDeletelatest, "/historymsg/deletelatest", Text, NoHost, "") \
    X(LoguploadRegularUpload, "/logupload/regularUpload", Text, App, "/IMuserAPI/v1/imlog/setloginfo") \
    X(CloudFileQueryCloudFile, "/CloudFile/queryCloudFile", Text, NoHost, "") \
    X(CloudFileQueryCategroy, "/CloudFile/queryCategroy", Text, NoHost, "") \
    X(CloudFileSearchUrl, "/CloudFile/searchUrl", Text, NoHost, "") \
    X(CloudFileRenameFile, "/CloudFile/renameFile", Text, NoHost, "") \
    X(CloudFileRenameFolder, "/CloudFile/renameFolder", Text, NoHost, "") \
    X(CloudFileUploadFile, "/CloudFile/uploadFile", Text, NoHost, "") \
    X(CloudFileDownloadFile, "/CloudFile/downloadFile", Text, NoHost, "") \
    X(CloudFileDeleteurl, "/CloudFile/deleteurl", Text, NoHost, "") \
    X(CloudFileCreatFolder, "/CloudFile/creatFolder", Text, NoHost, "") \
    X(CloudFileQuerysizeurl, "/CloudFile/querysizeurl", Text, NoHost, "") \
    X(CloudFileUploadurl, "/CloudFile/uploadurl", Text, NoHost, "") \
    X(CloudFileDownloadurl, "/CloudFile/downloadurl", Text, NoHost, "") \
    X(SharefiledownTheurl, "/sharefiledown/theurl", Text, NoHost, "") \
    X(SharefileupTheurl, "/sharefileup/theurl", Text, NoHost, "") \
    X(SharefiledeleTheurl, "/sharefiledele/theurl", Text, NoHost, "") \
    X(NoticeAnnounceNotice, "/Notice/announceNotice", Text, NoHost, "") \
    X(NoticeEditNotice, "/Notice/editNotice", Text, NoHost, "") \
    X(NoticeGetNotices, "/Notice/getNotices", Text, NoHost, "") \
    X(NoticeDeleteNotice, "/Notice/deleteNotice", Text, NoHost, "") \
    X(CloudFileQueryrecycle, "/CloudFile/queryrecycle", Text, NoHost, "") \
    X(CloudFileDeleterecycle, "/CloudFile/deleterecycle", Text, NoHost, "") \
    X(CloudFileRestorerecycle, "/CloudFile/restorerecycle", Text, NoHost, "") \
    X(CloudFileClearrecycle, "/CloudFile/clearrecycle", Text, NoHost, "") \
    X(PluginsDlls, "/plugins/dlls", Text, NoHost, "") \
    X(SalTransmitfileurl, "/sal/transmitfileurl", Text, App, "/offlinefile/im/fileForward.do") \
    X(LoguploadMonitorPerf, "/logupload/monitorPerf", Text, Monitor, "/perfSDK.gif") \
    X(LoguploadMonitorCrash, "/logupload/monitorCrash", Text, Monitor, "/crashSDK.gif") \
    X(LoguploadMotitorCustom, "/logupload/motitorCustom", Text, Monitor, "/customSDK.gif") \
    X(CloudQueryclouduser, "/Cloud/queryclouduser", Piece, NoHost, "") \
    X(ModifypwdTheurl, "/modifypwd/theurl", Text, NoHost, "")

class CUrlInfo
{
public:
    enum class Kind { Text, Number, Template, Piece };
    enum class Host { NoHost, App, Monitor };
    enum class Key : std::size_t {
#define LUMIO_URL_ENUM(getter, key, kind, host, path) getter,
        LUMIO_URL_KEYS(LUMIO_URL_ENUM)
#undef LUMIO_URL_ENUM
    };
#define LUMIO_URL_ONE(getter, key, kind, host, path) +1
    static constexpr std::size_t KeyCount = 0 LUMIO_URL_KEYS(LUMIO_URL_ONE);
#undef LUMIO_URL_ONE
    struct Row {
        Key id;
        const char *key;
        Kind kind;
        Host host;
        const char *defaultPath;
    };
    struct AppBoxEntry {
        QString section;
        QString url;
        QString icon;
        QString name;
    };

    static CUrlInfo *instance();
    // Every getter answers its default until load() succeeds.
    CUrlInfo();

    // Replaces every value; false (and a log line) when the file cannot be read. Faulty content
    // is logged and falls back per key.
    bool load(const QString &iniPath);
    QString path() const { return m_path; }
    static QString defaultPath();

    static const std::array<Row, KeyCount> &rows();
    static QString defaultValue(const Row &row);
    // The process-wide defaults the table refers to; a deployment overrides them in the file.
    static QString appHost();
    static QString monitorHost();
    static QString defaultSipDomain();

#define LUMIO_URL_GETTER_Text(getter) QString getter() const { return text(Key::getter); }
#define LUMIO_URL_GETTER_Number(getter) int getter() const { return m_values[index(Key::getter)].toInt(); }
#define LUMIO_URL_GETTER_Template(getter) \
    QString getter(const QString &argument) const { return filled(Key::getter, argument); }
#define LUMIO_URL_GETTER_Piece(getter)
#define LUMIO_URL_GETTER(getter, key, kind, host, path) LUMIO_URL_GETTER_##kind(getter)
    LUMIO_URL_KEYS(LUMIO_URL_GETTER)
#undef LUMIO_URL_GETTER
#undef LUMIO_URL_GETTER_Piece
#undef LUMIO_URL_GETTER_Template
#undef LUMIO_URL_GETTER_Number
#undef LUMIO_URL_GETTER_Text

    // The office-portal sign-on link: the argument percent-encoded into the template's "%1" and
    // the percent-encoded target into its "%2", or appended when the template has none.
    QString OaurlTheurl(const QString &argument) const;
    // Number range to SIP domain from domain<n>/numrange<n>, n = 0, 1, ... until a domain is
    // missing; "000000" to the default domain when nothing is configured.
    QMap<QString, QString> SipphoneDomain() const { return m_sipDomains; }
    // Logs the file it answers from, as every cloud-account request should show.
    QString QueryCloudAccountDataUrl() const;

    // Comma-separated names, blanks around each trimmed; empty when the key is missing.
    QStringList pluginNames() const;

    // The app box tiles in their fixed order; the office-portal tile is at OfficeTile.
    static QStringList appBoxSections();
    static constexpr int OfficeTile = 9;
    QList<AppBoxEntry> appBoxEntries() const { return m_appBox; }

    // A QSettings value as the text it was written as; an unquoted "a,b" reads
    // as a list there and is joined back with ",".
    static QString textValue(const QVariant &value);

private:
    static constexpr std::size_t index(Key key) { return static_cast<std::size_t>(key); }
    QString text(Key key) const { return m_values[index(key)].toString(); }
    QString filled(Key key, const QString &argument) const;
    void setDefaults();

    QString m_path;
    std::array<QVariant, KeyCount> m_values;
    QMap<QString, QString> m_sipDomains;
    QList<AppBoxEntry> m_appBox;
};
