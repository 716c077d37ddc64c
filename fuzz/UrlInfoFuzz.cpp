#include "FuzzInput.h"
#include "FuzzSupport.h"
#include "FuzzTarget.h"

#include "endpoints/CUrlInfo.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

// A deployment's allurl.ini as anyone may have edited it: a fresh registry
// loads it, and every getter answers without touching the file again.
namespace {

QTemporaryDir *folder = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    folder = FuzzSupport::scratchFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const QString argument = QString::fromUtf8(input.chunk(32));
    const QString path = folder->filePath(QStringLiteral("allurl.ini"));
    FuzzSupport::writeAll(path, input.rest());

    CUrlInfo info;
    info.load(path);
    QFile::remove(path);

#define LUMIO_FUZZ_Text(getter) info.getter().size();
#define LUMIO_FUZZ_Number(getter) info.getter();
#define LUMIO_FUZZ_Template(getter) info.getter(argument).size();
#define LUMIO_FUZZ_Piece(getter)
#define LUMIO_FUZZ_GETTER(getter, key, kind, host, path) LUMIO_FUZZ_##kind(getter)
    LUMIO_URL_KEYS(LUMIO_FUZZ_GETTER)
#undef LUMIO_FUZZ_GETTER

    // The account is one query value whatever it holds.
    if (!info.OaurlTheurl(QString()).isEmpty())
        FUZZ_CHECK(!info.OaurlTheurl(argument).contains(QLatin1Char(' ')) || info.OaurlTheurl(QString()).contains(QLatin1Char(' ')));
    info.QueryCloudAccountDataUrl();
    for (const QString &name : info.pluginNames())
        FUZZ_CHECK(name == name.trimmed());
    FUZZ_CHECK(!info.SipphoneDomain().isEmpty());
    FUZZ_CHECK(info.appBoxEntries().size() <= CUrlInfo::appBoxSections().size());
    return 0;
}
