#pragma once

#include "SdkExport.h"

#include <QByteArray>
#include <QEvent>
#include <QList>
#include <QString>

#include <memory>

// The one record on the bus: a command, its payload, and who sends it to whom.
// Attachments are shared by every copy the bus makes of a posted event and
// freed once, through their real type, when the last copy goes.
class LUMIO_SDK_EXPORT BaseEvent : public QEvent
{
public:
    static constexpr QEvent::Type EventType = QEvent::User;
    using Attachment = std::shared_ptr<void>;
    using AttachmentList = QList<Attachment>;

    BaseEvent(int command, const QByteArray &data, const QString &targetId,
              const QString &sourceId, const AttachmentList &attachments = {},
              bool flag = true, bool posted = false);
    ~BaseEvent() override;

    static BaseEvent *cast(QEvent *event);

    int command() const { return m_command; }
    QByteArray data() const { return m_data; }
    // By reference: the router reads both for every event it routes.
    const QString &sourceId() const { return m_sourceId; }
    const QString &targetId() const { return m_targetId; }
    bool flag() const { return m_flag; }
    bool posted() const { return m_posted; }
    QList<void *> attachments() const;
    AttachmentList sharedAttachments() const { return m_attachments; }

    void setData(const QByteArray &data) { m_data = data; }

    template<typename T>
    void addAttachment(T *object) { m_attachments.append(Attachment(object)); }
    void addAttachment(const Attachment &attachment) { m_attachments.append(attachment); }

    // A copy for one more receiver of a posted event; the attachments are shared.
    BaseEvent *clone() const;

private:
    int m_command;
    QByteArray m_data;
    bool m_flag;
    QString m_sourceId;
    QString m_targetId;
    bool m_posted;
    AttachmentList m_attachments;
};
