#pragma once

#include "MsgBoxUi.h"
#include "MsgView.h"
#include "ui/CBaseFormEx.h"

#include <lumio/MessageData.h>
#include <lumio/RequestData.h>
#include <lumio/SysUIData.h>
#include <lumio/VcardInfo.h>

#include <QMap>
#include <QModelIndex>
#include <QUrl>

class QLabel;
class QListView;
class QPushButton;
class QSplitter;
class QStackedWidget;
class QStandardItem;
class QStandardItemModel;
class QTreeView;

// The "消息盒子" window: unread messages listed by sender, the selected
// sender's messages in the chat plug-in's page, and the pending requests.
class MsgBox : public CBaseFormEx
{
    Q_OBJECT
public:
    explicit MsgBox(MsgView::Engine engine = MsgView::Engine::Web, QWidget *parent = nullptr);
    ~MsgBox() override;

    static MsgBox *instance();

    void showMsgBox();
    void addMessageToBox(const MessageData &data, const QString &filename);
    void delMsgByMsgId(const QString &strJid, const QString &strMsgId);
    void removeAllMsgs();
    // A downloaded (or failed) picture of a sender's message.
    void updatePicture(const QString &jid, const QString &picname, const QString &fileId, bool ok);
    // The main window asks the small box to drop its senders.
    void closeAllShake() { emit signal_closeallshake(); }
    void setLogUploadKey(const QString &key) { m_logUploadKey = key; }
    void setLogUploadUserId(const QString &id) { m_logUploadUserId = id; }

    // Where the page and the user's pictures are; the settings' unless set.
    void setPageUrl(const QUrl &url) { m_pageUrl = url; }
    void setUserFolder(const QString &folder);

    QStandardItemModel *frdModel() const { return m_pFrdModel; }
    QStandardItemModel *requestModel() const { return m_pRequestModel; }
    MsgView *view() const { return m_view; }
    QString currentJid() const { return m_strCurrentJid; }
    QList<QString> jidList() const { return m_jidList; }
    bool showsEmptyMessages() const;
    bool showsRequests() const;

signals:
    void signal_msgcount(int count);
    void signal_closeallshake();
    // The small box stops flashing when the box opens.
    void signal_abortShake();

public slots:
    void slot_DelUnreadMsg(const QString &jid);
    void slot_mini();
    void slot_max();
    void slot_close();
    void slot_IgnoreAllUnreadMsgs();
    void slot_OpenAllChatDialog();
    void slot_OpenChatDialog();
    void slot_IgnoreMsg();
    void slot_loadFinished(bool ok);
    void slot_clickfrdListView(const QModelIndex &index);
    void slot_DoubleClickFrdList(const QModelIndex &index);
    void slot_updatevcard(const QString &jid, const VcardInfo &card);
    void slot_refreshMsgUiBtn();
    void slot_refreshRequestUiBtn();
    void slot_openLink(const QUrl &url);
    void slot_updateWebView();
    void slot_updateSize(int pos, int index);
    void slot_PicRec(const QString &frdjid, const QString &filepath);
    void slot_showImage(const QString &path);
    void slot_downLoadpic(const QString &picname, const QString &fileId);
    void slot_showVcard(const QString &jid);
    void slot_SkinChange(const SysUIData &skin);
    void slot_reqlist(const QList<RequestData> &requests);

private:
    void connectSignal();
    void InitUnReadedMsgFromMap(const QMap<QString, QList<MessageData>> &map);
    QStandardItem *createRow(const QString &jid);
    void updateRow(QStandardItem *item, const QString &jid);
    void showCurrentIndexMsgUi();
    void appendMsgContent(const QList<MessageData> &messages);
    void appendToWebView(const MessageData &message);
    void showLatestFrdAndContent(const MessageData &data, const QString &jid, bool refreshOnly);
    void refreshEmptyPages();
    void emitCount();
    QString currentRowJid() const;
    QString displayNameOf(const QString &jid) const;
    QString userFolder() const;
    QUrl pageUrl() const;

    QStandardItemModel *m_pFrdModel;
    QStandardItemModel *m_pRequestModel;
    QMap<QString, RequestData> m_requestMap;
    QMap<QString, QStandardItem *> m_itemMap;
    QString m_strCurrentJid;
    QMap<QString, QList<MessageData>> m_msgMap;
    QList<QString> m_jidList;

    MsgView *m_view = nullptr;
    MsgBoxUi m_ui;
    QRect m_normalGeometry;
    QUrl m_pageUrl;
    QString m_userFolder;
    QString m_logUploadKey;
    QString m_logUploadUserId;
};
