#pragma once

#include <QObject>

// The controls library's receiver on the bus.
class LibCtrlsMessageProcess : public QObject
{
    Q_OBJECT
public:
    static LibCtrlsMessageProcess *instance();
    explicit LibCtrlsMessageProcess(QObject *parent = nullptr);

signals:
    void commandReceived(int command);

protected:
    void customEvent(QEvent *event) override;
};
