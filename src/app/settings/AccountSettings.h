#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

// One account's preferences from its config.ini, as loaded and normalised.
// Texts are kept as stored; their readers interpret "0"/"1" themselves.
struct AccountSettings
{
    QString autoLogin;
    QString autoLunch;
    QString autoLoginStatus;
    QString mainWindowWarn;
    QString hideMainWindow;
    QString closeMainWindow;
    QString closeVoice;
    QString combineDialog;
    QString openUnclosedDialog;
    QString autoHide;
    QString alwaysCloseAllDialog;
    QString notAllImUser;
    QString haveExistFriend;

    QString transferPath;
    QString defaultTransferPath;
    QString autoShowMsg;
    QString autoStayOnTop;
    QString allowShaked;
    QString msgSync;
    bool showAllRoom = false;

    QString changeToAway;
    QString awayMinute;
    QString changeToBusy;
    QString isAutoReply;
    QString autoReplyStr;
    QStringList autoReplyList;
    QString busyAutoReplyStr;
    QStringList busyAutoReplyList;
    QString fastReplyStr;
    QStringList fastReplyList;

    QString catchMsgHotkey;
    QString cutPictureHotKey;
    QString sendMsgFastkey;
    QString snapHide;

    QString allAllowed;
    QString someAllowed;
    QString allForbidden;

    QString fontFamily;
    bool bold = false;
    bool italic = false;
    double fontSize = 0;
    bool underline = false;
    QString textColorName;
    QColor textColor;

    int headType = 0;
    int lHeadType = 0;
    int needHide = 0;

    QString skinFolder;
    QString alphaBackground;
    QString alphaWhite;
    bool paintPicture = false;
    bool airBubbleMode = false;
};
