#pragma once

#include <lumio/PluginInterface.h>

#include <QObject>

// An in-process plug-in whose receiver does nothing but count, so that a
// timing is the bus's cost and not a plug-in's.
class CountingPlugin : public QObject, public PluginInterface
{
    Q_OBJECT
    Q_INTERFACES(PluginInterface)
public:
    explicit CountingPlugin(const QString &address);

    QObject *receiver() override { return this; }
    void setEventManager(EventManager *manager) override { m_bus = manager; }
    QString pluginId() const override { return m_address; }
    void setLogger(SharedLog *) override {}

    qint64 count() const { return m_count; }
    // The last event seen, to tell a synchronous event from a copy.
    const QEvent *lastEvent() const { return m_last; }
    void reset();

protected:
    void customEvent(QEvent *event) override;

private:
    QString m_address;
    EventManager *m_bus = nullptr;
    qint64 m_count = 0;
    const QEvent *m_last = nullptr;
};
