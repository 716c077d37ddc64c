#pragma once

#include "SdkExport.h"

#include <QList>
#include <QMetaType>
#include <QString>

// One chat or system message as the plug-ins hand it over. The field order is
// shared with every plug-in; fields no shell code reads keep neutral names.
struct MessageData
{
    enum Kind : qint32 {
        KindChat = 0,
        KindGroupChat = 3,
        KindFile = 4,
        KindAudioVideo = 6,
        KindSipPhone = 8,
        KindNotice = 12,
        KindPublicAccount = 15
    };

    // Transfer state of an attached file; exactly 40 bytes.
    struct Transfer
    {
        qint64 totalBytes = 0;
        qint64 doneBytes = 0;
        qint32 percent = 0;
        qint32 state = 0;
        qint64 startedMs = 0;
        qint64 reserved = 0;
    };

    QString ownerJid;
    QString fromJid;
    QString text;
    QString time;
    qint32 chatType = 0;
    bool outgoing = false;
    QString extraText1;
    bool extraFlag1 = false;
    QString extraText2;
    bool extraFlag2 = false;
    QString secondTime;
    bool extraFlag3 = false;
    QString color;
    QString fontName;
    QString fromName;
    bool read = false;
    QString messageId;
    bool offline = false;
    QString strings9[9];
    Kind kind = KindChat;
    qint32 type = 0;
    QString locationName;
    QString locationTitle;
    QString locationAddress;
    QString locationUrl;
    QString cardHeadUrl;
    bool hasCard = false;
    QString strings11[11];
    Transfer transfer;
    bool flagA = false;
    bool flagB = false;
    qint32 value = 0;
    QString body;
    QString bodyExtra1;
    QString bodyExtra2;
    bool flagC = false;
    QString tail1;
    QList<QString> images;
    QString tail2;
    bool flagD = false;
    QString tail3;
    bool flagE = false;
    bool flagF = false;
    QString tail4;
    QString tail5;

    // Places the other Parts name: the eleven strings' first, second, third and sixth.
    QString cardName() const { return strings11[0]; }
    QString cardJid() const { return strings11[1]; }
    QString cardNickname() const { return strings11[2]; }
    QString attachmentName() const { return strings11[5]; }
};

static_assert(sizeof(MessageData::Transfer) == 40, "the embedded record is 40 bytes");

Q_DECLARE_METATYPE(MessageData)
