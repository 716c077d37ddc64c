#include "FunctionTrace.h"

#include "ShellLog.h"

FunctionTrace::FunctionTrace(const char *prettyFunction, const char *file, int line)
    : m_function(prettyFunction)
    , m_file(file)
    , m_line(line)
    , m_name(qualifiedName(prettyFunction))
{
    ShellLog::shared()->write(SharedLog::Level::Debug, QStringLiteral("entry fun ") + m_name,
                              m_file, m_line, m_function);
}

FunctionTrace::~FunctionTrace()
{
    ShellLog::shared()->write(SharedLog::Level::Debug, QStringLiteral("exit fun ") + m_name,
                              m_file, m_line, m_function);
}

// "bool PluginManager::loadPlugin()" -> "PluginManager::loadPlugin()"
QString FunctionTrace::qualifiedName(const char *prettyFunction)
{
    const QString signature = QString::fromUtf8(prettyFunction);
    const int paren = signature.indexOf(QLatin1Char('('));
    if (paren < 0)
        return signature;
    const int start = signature.lastIndexOf(QLatin1Char(' '), paren) + 1;
    int depth = 0;
    int end = paren;
    for (; end < signature.size(); ++end) {
        if (signature.at(end) == QLatin1Char('('))
            ++depth;
        else if (signature.at(end) == QLatin1Char(')') && --depth == 0)
            break;
    }
    return signature.mid(start, end - start + 1);
}
