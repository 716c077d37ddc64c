#include "FuzzInput.h"
#include "FuzzSupport.h"
#include "FuzzTarget.h"

#include "app/settings/ImInfoDefaults.h"
#include "app/settings/SystemSetData.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTemporaryFile>

// A user's config.ini or the machine's IMInfo.ini as any editor or crash may
// have left it: loading never fails hard, and a file QSettings cannot read
// cleanly is never written back.
namespace {

QTemporaryDir *sandbox = nullptr;

bool insideSandbox(const QString &path)
{
    return path.isEmpty()
        || QFileInfo(path).absoluteFilePath().startsWith(sandbox->path() + QLatin1Char('/'));
}

// Qt's own verdict on the bytes, from a path it has never parsed and read in
// full; the same path again would get the cached parse and no error.
bool readsCleanly(const QByteArray &bytes)
{
    QTemporaryFile copy(sandbox->filePath(QStringLiteral("clean-XXXXXX.ini")));
    FUZZ_CHECK(copy.open() && copy.write(bytes) == bytes.size() && copy.flush());
    QSettings ini(copy.fileName(), QSettings::IniFormat);
    ini.allKeys();
    return ini.status() == QSettings::NoError;
}

void fuzzAccount(SystemSetData &store, const QByteArray &bytes)
{
    const QString folder = store.messageFilePath() + QStringLiteral("/alice");
    QDir().mkpath(folder);
    const QString config = folder + QStringLiteral("/config.ini");
    FuzzSupport::writeAll(config, bytes);
    const bool clean = readsCleanly(bytes);
    // Another reader was first, as a settings command may be.
    QSettings(config, QSettings::IniFormat).allKeys();

    // The second load meets the file Qt has already parsed.
    for (int load = 0; load < 2; ++load) {
        FUZZ_CHECK(store.loadAccount(QStringLiteral("alice")));
        store.chatFontFamily().size();
        FUZZ_CHECK(store.chatFontSize() > 0);
        if (!clean)
            FUZZ_CHECK(FuzzSupport::readAll(config) == bytes);
    }
    // Switching user leaves nothing of this file behind.
    FUZZ_CHECK(!store.loadAccount(QStringLiteral("../bob")));
    QFile::remove(config);
}

void fuzzCommonData(SystemSetData &store, const QByteArray &bytes)
{
    const QString ini = sandbox->filePath(QStringLiteral("IMInfo.ini"));
    FuzzSupport::writeAll(ini, bytes);
    // The folder named in the file is created, as it should be; only let
    // the fuzzer name folders inside the sandbox.
    const QSettings settings(ini, QSettings::IniFormat);
    if (!insideSandbox(settings.value(QStringLiteral("/msgSetting/msgfilepath")).toString()))
        return;
    QString error;
    FUZZ_CHECK(ImInfoDefaults::ensure(ini, sandbox->path(), &error)
               == ImInfoDefaults::Result::AlreadyThere);
    FUZZ_CHECK(FuzzSupport::readAll(ini) == bytes);
    store.initCommonData(ini);
    FUZZ_CHECK(!store.messageFilePath().isEmpty());
    QFile::remove(ini);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    sandbox = FuzzSupport::scratchFolder();
    const QByteArray home = QFile::encodeName(sandbox->filePath(QStringLiteral("home")));
    QDir().mkpath(QString::fromLocal8Bit(home));
    qputenv("HOME", home);
    for (const char *var : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_DOCUMENTS_DIR", "XDG_CACHE_HOME"})
        qunsetenv(var);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzInput input(data, size);
    const bool common = input.flag();
    SystemSetData store;
    store.initCommonData(sandbox->filePath(QStringLiteral("missing.ini")));
    if (common)
        fuzzCommonData(store, input.rest());
    else
        fuzzAccount(store, input.rest());
    return 0;
}
