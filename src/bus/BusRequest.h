#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class EventManager;

// Building, sending and answering one request of the shell to a plug-in.
namespace BusRequest {

enum class Source { Shell, Empty };

// Where requests go; the process-wide router unless a test sets its own.
EventManager *bus();
void setBus(EventManager *manager);

void tell(int command, const QString &target, const QByteArray &payload = {},
          Source source = Source::Shell);
void post(int command, const QString &target, const QByteArray &payload = {},
          Source source = Source::Shell);
void postFrom(int command, const QString &target, const QString &source,
              const QByteArray &payload = {});

// The answer's bytes, or nothing when no receiver wrote one (the party is not
// loaded or ignored the question). Windows ask on timers, so only the first
// miss per command and target is logged; the rest are counted.
std::optional<QByteArray> ask(int command, const QString &target, const QByteArray &payload = {},
                              Source source = Source::Shell);
// Unanswered questions so far for that command and target.
int missCount(int command, const QString &target);
// Logs one line with every repeated miss, if any; for the end of the process.
void logMissSummary();

} // namespace BusRequest
