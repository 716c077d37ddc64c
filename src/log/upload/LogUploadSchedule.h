#pragma once

#include <QDateTime>
#include <QObject>

#include <functional>

class QTimer;

// The two daily log-upload windows: a tick in one arms an upload at a random moment
// up to 30 minutes later; the clock and the random draw can be replaced for tests.
class LogUploadSchedule : public QObject
{
    Q_OBJECT
public:
    static constexpr int TickMs = 1800000;
    static constexpr int MaxDelaySeconds = 1800;
    using Clock = std::function<QDateTime()>;
    using Random = std::function<quint32(quint32 seed)>;

    explicit LogUploadSchedule(QObject *parent = nullptr);

    void setClock(Clock clock) { m_clock = std::move(clock); }
    void setRandom(Random random) { m_random = std::move(random); }
    void start();

    // 10:00 to 10:30 and 14:30 to 14:59.
    static bool inWindow(const QTime &time);
    bool isArmed() const { return m_armed; }
    int interval() const;
    bool isActive() const;

signals:
    void uploadDue();

public slots:
    void slot_uploadLogTimeOut();

private:
    QTimer *m_timer;
    Clock m_clock;
    Random m_random;
    bool m_armed = false;
};
