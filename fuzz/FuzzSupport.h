#pragma once

#include <QByteArray>
#include <QString>

class QTemporaryDir;

// Files the targets hand to the code under test. A write that fails is the
// harness's fault, so it fails the run rather than letting the input pass.
namespace FuzzSupport {

void writeAll(const QString &path, const QByteArray &bytes);
// Empty when the file is missing or unreadable.
QByteArray readAll(const QString &path);

// The process's scratch folder, removed when the fuzzer exits.
QTemporaryDir *scratchFolder();

} // namespace FuzzSupport
