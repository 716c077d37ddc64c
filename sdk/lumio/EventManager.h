#pragma once

#include "SdkExport.h"

#include <QObject>

class BaseEvent;

// The bus as a plug-in sees it: everything is sent through send().
// A synchronous event stays the caller's; a posted one belongs to the queue.
class LUMIO_SDK_EXPORT EventManager : public QObject
{
    Q_OBJECT
public:
    explicit EventManager(QObject *parent = nullptr);
    ~EventManager() override;

    void send(BaseEvent *event);

protected:
    void customEvent(QEvent *event) final;
    virtual void route(BaseEvent *event) = 0;
};
