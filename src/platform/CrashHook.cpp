#include "CrashHook.h"

#include <QFile>
#include <QMutex>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include <execinfo.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <ucontext.h>
#include <unistd.h>

extern char **environ;

namespace {

constexpr int HandledSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
constexpr size_t AltStackSize = 256 * 1024;
constexpr size_t PathCapacity = 4096;
constexpr size_t ReasonCapacity = 512;
constexpr int MaxFrames = 128;

// An argv with its strings, built on the normal path and never changed after.
struct Command
{
    std::vector<std::string> strings;
    std::vector<char *> argv;
    QStringList source;
};

char g_dumpPath[PathCapacity];
char g_terminateReason[ReasonCapacity];
std::atomic<bool> g_installed{false};
std::atomic<Command *> g_command{nullptr};
std::atomic<pid_t> g_crashingThread{0};
void *g_altStack = nullptr;

QMutex g_commandMutex;
// Every command ever published stays alive: a crashing thread may still be
// reading an older one. An equal command is published again from its first
// copy, so the store grows with the distinct commands, not with publications.
std::vector<std::unique_ptr<Command>> &retainedCommands()
{
    static auto *commands = new std::vector<std::unique_ptr<Command>>;
    return *commands;
}

pid_t currentThreadId()
{
    return static_cast<pid_t>(::syscall(SYS_gettid));
}

void copyBounded(char *target, size_t capacity, const char *text)
{
    size_t i = 0;
    for (; text && text[i] && i + 1 < capacity; ++i)
        target[i] = text[i];
    target[i] = '\0';
}

// Writes to a file descriptor without touching the heap or stdio.
class DumpWriter
{
public:
    explicit DumpWriter(int fd) : m_fd(fd) {}

    void text(const char *s) { raw(s, std::strlen(s)); }
    void raw(const char *data, size_t size)
    {
        while (size > 0) {
            const ssize_t n = ::write(m_fd, data, size);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return;
            data += n;
            size -= static_cast<size_t>(n);
        }
    }
    void decimal(long value)
    {
        char buffer[24];
        char *p = buffer + sizeof buffer;
        const bool negative = value < 0;
        unsigned long magnitude = negative ? 0UL - static_cast<unsigned long>(value)
                                           : static_cast<unsigned long>(value);
        do {
            *--p = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude);
        if (negative)
            *--p = '-';
        raw(p, static_cast<size_t>(buffer + sizeof buffer - p));
    }
    void hex(unsigned long value)
    {
        static const char digits[] = "0123456789abcdef";
        char buffer[2 + 2 * sizeof value];
        buffer[0] = '0';
        buffer[1] = 'x';
        for (size_t i = 0; i < 2 * sizeof value; ++i)
            buffer[2 + i] = digits[(value >> (4 * (2 * sizeof value - 1 - i))) & 0xf];
        raw(buffer, sizeof buffer);
    }
    void field(const char *name, unsigned long value)
    {
        text(name);
        text(" ");
        hex(value);
        text("\n");
    }

private:
    int m_fd;
};

const char *signalName(int number)
{
    switch (number) {
    case SIGSEGV: return "SIGSEGV";
    case SIGBUS: return "SIGBUS";
    case SIGFPE: return "SIGFPE";
    case SIGILL: return "SIGILL";
    case SIGABRT: return "SIGABRT";
    default: return "signal";
    }
}

void writeRegisters(DumpWriter &out, const void *context)
{
    out.text("registers:\n");
    const auto *uc = static_cast<const ucontext_t *>(context);
    if (!uc) {
        out.text("  (none)\n");
        return;
    }
#if defined(__x86_64__)
    static const char *const names[NGREG] = {
        "r8", "r9", "r10", "r11", "r12", "r13", "r14", "r15", "rdi", "rsi", "rbp", "rbx",
        "rdx", "rax", "rcx", "rsp", "rip", "efl", "csgsfs", "err", "trapno", "oldmask", "cr2"};
    for (int i = 0; i < NGREG; ++i)
        out.field(names[i], static_cast<unsigned long>(uc->uc_mcontext.gregs[i]));
#elif defined(__aarch64__)
    static const char *const names[31] = {
        "x0", "x1", "x2", "x3", "x4", "x5", "x6", "x7", "x8", "x9", "x10", "x11", "x12", "x13", "x14",
        "x15", "x16", "x17", "x18", "x19", "x20", "x21", "x22", "x23", "x24", "x25", "x26", "x27",
        "x28", "x29", "x30"};
    for (int i = 0; i < 31; ++i)
        out.field(names[i], uc->uc_mcontext.regs[i]);
    out.field("sp", uc->uc_mcontext.sp);
    out.field("pc", uc->uc_mcontext.pc);
    out.field("pstate", uc->uc_mcontext.pstate);
#else
    out.text("  (not decoded on this architecture)\n");
#endif
}

void copyFile(DumpWriter &out, const char *path)
{
    const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        out.raw(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
}

void writeDump(int number, const siginfo_t *info, const void *context)
{
    if (!g_dumpPath[0])
        return;
    // A dump that cannot be created is skipped; packing still goes on.
    const int fd = ::open(g_dumpPath, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    DumpWriter out(fd);
    out.text("Lumio crash dump\nsignal: ");
    out.decimal(number);
    out.text(" (");
    out.text(signalName(number));
    out.text(")\ncode: ");
    out.decimal(info ? info->si_code : 0);
    out.text("\naddress: ");
    out.hex(info ? reinterpret_cast<unsigned long>(info->si_addr) : 0UL);
    out.text("\npid: ");
    out.decimal(::getpid());
    out.text("\nthread: ");
    out.decimal(currentThreadId());
    out.text("\n");
    if (g_terminateReason[0]) {
        out.text("terminate: ");
        out.text(g_terminateReason);
        out.text("\n");
    }
    writeRegisters(out, context);

    out.text("backtrace:\n");
    void *frames[MaxFrames];
    const int count = ::backtrace(frames, MaxFrames);
    ::backtrace_symbols_fd(frames, count, fd);

    out.text("maps:\n");
    copyFile(out, "/proc/self/maps");
    ::fsync(fd);
    ::close(fd);
}

// _Fork runs no atfork handlers and takes no malloc locks, unlike fork().
pid_t startPacker()
{
    const Command *command = g_command.load(std::memory_order_acquire);
    if (!command || command->argv.size() < 2)
        return -1;
    const pid_t pid = ::_Fork();
    if (pid == 0) {
        // The handler's blocked signal would otherwise stay blocked in the packer.
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        ::execve(command->argv[0], command->argv.data(), environ);
        ::_exit(127);
    }
    return pid;
}

void waitForPacker(pid_t pid)
{
    if (pid <= 0)
        return;
    const timespec step = {0, 50 * 1000 * 1000};
    for (int i = 0; i < CrashHook::PackerWaitSeconds * 20; ++i) {
        int status = 0;
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid || (done < 0 && errno != EINTR))
            return;
        ::nanosleep(&step, nullptr);
    }
}

[[noreturn]] void dieOf(int number)
{
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    ::sigaction(number, &action, nullptr);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, number);
    ::sigprocmask(SIG_UNBLOCK, &only, nullptr);
    ::raise(number);
    // SIGABRT and SIGFPE can be ignored by nobody here, but never return to the failed code.
    ::_exit(128 + number);
}

void onCrash(int number, siginfo_t *info, void *context)
{
    const int savedErrno = errno;
    const pid_t self = currentThreadId();
    pid_t expected = 0;
    if (!g_crashingThread.compare_exchange_strong(expected, self)) {
        if (expected == self)
            dieOf(number); // a crash inside the handler: no second round
        // Another thread is already writing the dump and will end the process.
        const timespec step = {1, 0};
        for (int i = 0; i < CrashHook::PackerWaitSeconds + 10; ++i)
            ::nanosleep(&step, nullptr);
        dieOf(number);
    }
    writeDump(number, info, context);
    waitForPacker(startPacker());
    errno = savedErrno;
    dieOf(number);
}

void onTerminate()
{
    // Not a signal handler: the exception's text may be looked at here.
    if (std::exception_ptr current = std::current_exception()) {
        try {
            std::rethrow_exception(current);
        } catch (const std::exception &e) {
            std::string reason = "uncaught exception: ";
            reason += e.what();
            copyBounded(g_terminateReason, ReasonCapacity, reason.c_str());
        } catch (...) {
            copyBounded(g_terminateReason, ReasonCapacity, "uncaught exception of unknown type");
        }
    } else {
        copyBounded(g_terminateReason, ReasonCapacity, "std::terminate without an exception");
    }
    std::abort();
}

} // namespace

bool CrashHook::install(const QString &dumpPath, QString *error)
{
    const QByteArray path = QFile::encodeName(dumpPath);
    if (path.isEmpty() || size_t(path.size()) >= PathCapacity) {
        if (error)
            *error = QStringLiteral("crash hook: unusable dump path \"%1\"").arg(dumpPath);
        return false;
    }
    copyBounded(g_dumpPath, PathCapacity, path.constData());

    // backtrace() loads the unwinder on its first call, which allocates: not in the handler.
    void *frames[4];
    ::backtrace(frames, 4);

    if (!g_altStack) {
        void *stack = ::mmap(nullptr, AltStackSize, PROT_READ | PROT_WRITE,
                             MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (stack == MAP_FAILED) {
            if (error)
                *error = QStringLiteral("crash hook: no memory for the signal stack");
            return false;
        }
        g_altStack = stack;
    }
    // A stack overflow leaves no room on the thread's own stack for the handler.
    stack_t altStack = {};
    altStack.ss_sp = g_altStack;
    altStack.ss_size = AltStackSize;
    if (::sigaltstack(&altStack, nullptr) != 0) {
        if (error)
            *error = QStringLiteral("crash hook: sigaltstack failed: %1")
                         .arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }

    struct sigaction action = {};
    action.sa_sigaction = onCrash;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_SIGINFO | SA_ONSTACK;
    for (int number : HandledSignals) {
        if (::sigaction(number, &action, nullptr) != 0) {
            if (error)
                *error = QStringLiteral("crash hook: no handler for signal %1").arg(number);
            return false;
        }
    }
    std::set_terminate(onTerminate);
    g_installed.store(true);
    return true;
}

void CrashHook::setPackerCommand(const QStringList &command)
{
    const QMutexLocker lock(&g_commandMutex);
    if (command.isEmpty()) {
        g_command.store(nullptr, std::memory_order_release);
        return;
    }
    for (const std::unique_ptr<Command> &kept : retainedCommands()) {
        if (kept->source == command) {
            g_command.store(kept.get(), std::memory_order_release);
            return;
        }
    }
    auto built = std::make_unique<Command>();
    built->source = command;
    for (const QString &part : command)
        built->strings.push_back(QFile::encodeName(part).toStdString());
    for (std::string &s : built->strings)
        built->argv.push_back(s.data());
    built->argv.push_back(nullptr);
    g_command.store(built.get(), std::memory_order_release);
    retainedCommands().push_back(std::move(built));
}

int CrashHook::retainedCommandCount()
{
    const QMutexLocker lock(&g_commandMutex);
    return int(retainedCommands().size());
}

QStringList CrashHook::packerCommand()
{
    const QMutexLocker lock(&g_commandMutex);
    const Command *command = g_command.load(std::memory_order_acquire);
    return command ? command->source : QStringList();
}

bool CrashHook::isInstalled()
{
    return g_installed.load();
}
