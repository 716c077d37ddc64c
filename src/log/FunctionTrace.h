#pragma once

#include <QString>

// Writes "entry fun <Class>::<method>" now and "exit fun ..." when it goes out of scope.
class FunctionTrace
{
public:
    FunctionTrace(const char *prettyFunction, const char *file, int line);
    ~FunctionTrace();
    FunctionTrace(const FunctionTrace &) = delete;
    FunctionTrace &operator=(const FunctionTrace &) = delete;

    static QString qualifiedName(const char *prettyFunction);

private:
    const char *m_function;
    const char *m_file;
    int m_line;
    QString m_name;
};

#define LOG_FUNCTION() const FunctionTrace functionTrace_(__PRETTY_FUNCTION__, __FILE__, __LINE__)
