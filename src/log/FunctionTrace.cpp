#include "FunctionTrace.h"

#include "ShellLog.h"

namespace {

struct Span
{
    int nameStart = 0;
    int paramsStart = -1;
    int paramsEnd = -1; // the closing parenthesis
};

// Finds the parameter list as the last top-level parenthesis group, so return
// types such as std::function<void(int)> and trailing qualifiers do not mislead.
Span locate(const QString &signature)
{
    Span span;
    int end = signature.size();
    const int with = signature.indexOf(QLatin1String(" [with "));
    if (with >= 0)
        end = with;
    int close = -1;
    for (int i = end - 1; i >= 0; --i) {
        if (signature.at(i) == QLatin1Char(')')) {
            close = i;
            break;
        }
    }
    if (close < 0)
        return span;
    int depth = 0;
    int open = -1;
    for (int i = close; i >= 0; --i) {
        const QChar c = signature.at(i);
        if (c == QLatin1Char(')'))
            ++depth;
        else if (c == QLatin1Char('(') && --depth == 0) {
            open = i;
            break;
        }
    }
    if (open < 0)
        return span;
    // An operator's name ("operator<<", "operator bool") holds spaces and brackets of its own.
    int scanFrom = open - 1;
    const auto identifier = [](QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); };
    const int op = signature.lastIndexOf(QLatin1String("operator"), open);
    if (op >= 0 && op + 8 < open && (op == 0 || !identifier(signature.at(op - 1)))
        && !identifier(signature.at(op + 8)))
        scanFrom = op - 1;
    int angle = 0;
    int start = 0;
    for (int i = scanFrom; i >= 0; --i) {
        const QChar c = signature.at(i);
        if (c == QLatin1Char('>'))
            ++angle;
        else if (c == QLatin1Char('<'))
            --angle;
        else if (angle == 0 && (c == QLatin1Char(' ') || c == QLatin1Char('*') || c == QLatin1Char('&'))) {
            start = i + 1;
            break;
        }
    }
    span.nameStart = start;
    span.paramsStart = open;
    span.paramsEnd = close;
    return span;
}

} // namespace

FunctionTrace::FunctionTrace(const char *prettyFunction, const char *file, int line, Form form)
    : m_function(prettyFunction)
    , m_file(file)
    , m_line(line)
    , m_form(form)
    , m_name(form == Form::Full ? qualifiedName(prettyFunction) : methodName(prettyFunction))
{
    const QString text = m_form == Form::Full ? QStringLiteral("entry fun ") + m_name
                                              : QStringLiteral("entry ") + m_name;
    ShellLog::shared()->write(SharedLog::Level::Debug, text, m_file, m_line, m_function);
}

FunctionTrace::~FunctionTrace()
{
    const QString text = m_form == Form::Full
        ? QStringLiteral("exit fun ") + m_name
        : QStringLiteral("exit %1(%2)").arg(m_name, m_branch);
    ShellLog::shared()->write(SharedLog::Level::Debug, text, m_file, m_line, m_function);
}

QString FunctionTrace::qualifiedName(const char *prettyFunction)
{
    const QString signature = QString::fromUtf8(prettyFunction ? prettyFunction : "");
    const Span span = locate(signature);
    if (span.paramsStart < 0)
        return signature;
    return signature.mid(span.nameStart, span.paramsEnd - span.nameStart + 1);
}

QString FunctionTrace::methodName(const char *prettyFunction)
{
    const QString signature = QString::fromUtf8(prettyFunction ? prettyFunction : "");
    const Span span = locate(signature);
    if (span.paramsStart < 0)
        return signature;
    const QString qualified = signature.mid(span.nameStart, span.paramsStart - span.nameStart);
    const int scope = qualified.lastIndexOf(QLatin1String("::"));
    return scope < 0 ? qualified : qualified.mid(scope + 2);
}
