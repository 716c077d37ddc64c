#pragma once

#include <QString>

// Writes "entry fun <Class>::<method>(<parameters>)" at debug level now and
// "exit fun ..." when it goes out of scope; a slot's short form writes
// "entry <slot>" and "exit <slot>(<branch>)".
class FunctionTrace
{
public:
    enum class Form { Full, Slot };

    FunctionTrace(const char *prettyFunction, const char *file, int line, Form form = Form::Full);
    ~FunctionTrace();
    FunctionTrace(const FunctionTrace &) = delete;
    FunctionTrace &operator=(const FunctionTrace &) = delete;

    // The way out taken, named in the slot form's exit line.
    void setBranch(const QString &branch) { m_branch = branch; }

    // "bool PluginManager::loadPlugin(int) const" -> "PluginManager::loadPlugin(int)"
    static QString qualifiedName(const char *prettyFunction);
    // "void MainWindow::slot_quit()" -> "slot_quit"
    static QString methodName(const char *prettyFunction);

private:
    const char *m_function;
    const char *m_file;
    int m_line;
    Form m_form;
    QString m_name;
    QString m_branch;
};

#define LOG_FUNCTION() const FunctionTrace functionTrace_(__PRETTY_FUNCTION__, __FILE__, __LINE__)
#define LOG_SLOT() FunctionTrace slotTrace_(__PRETTY_FUNCTION__, __FILE__, __LINE__, FunctionTrace::Form::Slot)
#define LOG_SLOT_BRANCH(text) slotTrace_.setBranch(text)
