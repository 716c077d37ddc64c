#pragma once

#include <QObject>
#include <QString>

class CustomLogger;

// The front end through which the shell writes the custom CSV log.
class CLogManger : public QObject
{
public:
    static constexpr char LevelInfo[] = "I";
    static constexpr char LevelWarn[] = "W";
    static constexpr char LevelError[] = "E";
    static constexpr char FieldSeparator[] = "&";
    static constexpr char ItemSeparator[] = "|";

    // Follows the published LogContext's custom logger, so it never outlives it.
    static CLogManger *instance();
    explicit CLogManger(CustomLogger *logger, QObject *parent = nullptr);

    // Each returns false when there is no custom logger.
    bool log(const QString &level, const QString &function, const QString &message,
             const QString &location);
    bool flush();
    bool reset();
    bool setField6(const QString &text);
    bool setField7(const QString &text);

    CustomLogger *customLogger() const;

private:
    CLogManger();

    CustomLogger *m_logger = nullptr;
    bool m_followsContext = false;
};
