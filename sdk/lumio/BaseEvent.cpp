#include "BaseEvent.h"

#include <typeinfo>

BaseEvent::BaseEvent(int command, const QByteArray &data, const QString &targetId,
                     const QString &sourceId, const AttachmentList &attachments,
                     bool flag, bool posted)
    : QEvent(EventType)
    , m_command(command)
    , m_data(data)
    , m_flag(flag)
    , m_sourceId(sourceId)
    , m_targetId(targetId)
    , m_posted(posted)
    , m_attachments(attachments)
{
}

BaseEvent::~BaseEvent() = default;

BaseEvent *BaseEvent::cast(QEvent *event)
{
    if (!event || event->type() != EventType)
        return nullptr;
    // Nearly every user event on the bus is exactly a BaseEvent; that test is
    // a pointer compare, where dynamic_cast walks the class hierarchy.
    if (typeid(*event) == typeid(BaseEvent))
        return static_cast<BaseEvent *>(event);
    return dynamic_cast<BaseEvent *>(event);
}

QList<void *> BaseEvent::attachments() const
{
    QList<void *> raw;
    raw.reserve(m_attachments.size());
    for (const Attachment &a : m_attachments)
        raw.append(a.get());
    return raw;
}

BaseEvent *BaseEvent::clone() const
{
    return new BaseEvent(m_command, m_data, m_targetId, m_sourceId, m_attachments, m_flag, m_posted);
}
