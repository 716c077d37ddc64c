#include "FaultyVfs.h"

#include <sqlite3.h>

#include <cstdio>

#include <unistd.h>

namespace {

struct State
{
    sqlite3_vfs *real = nullptr;
    sqlite3_vfs shim = {};
    bool armed = false;
    FaultyVfs::Fault fault = FaultyVfs::Fault::FailOnce;
    int target = 0;
    int files = FaultyVfs::AnyFile;
    int errorCode = SQLITE_IOERR_WRITE;
    int seen = 0;
    bool fired = false;
    int databaseOpens = 0;
};

State &state()
{
    static State s;
    return s;
}

// The real file lives right behind the wrapper's own part.
struct ShimFile
{
    sqlite3_file base;
    int kind;
    sqlite3_file *real() { return reinterpret_cast<sqlite3_file *>(this + 1); }
};

sqlite3_file *realOf(sqlite3_file *file)
{
    return reinterpret_cast<ShimFile *>(file)->real();
}

int shimClose(sqlite3_file *file)
{
    sqlite3_file *real = realOf(file);
    return real->pMethods ? real->pMethods->xClose(real) : SQLITE_OK;
}

int shimRead(sqlite3_file *file, void *buffer, int amount, sqlite3_int64 offset)
{
    sqlite3_file *real = realOf(file);
    return real->pMethods->xRead(real, buffer, amount, offset);
}

int shimWrite(sqlite3_file *file, const void *buffer, int amount, sqlite3_int64 offset)
{
    State &s = state();
    if (s.armed && (reinterpret_cast<ShimFile *>(file)->kind & s.files)) {
        ++s.seen;
        const bool hit = s.fault == FaultyVfs::Fault::FailFromThen ? s.seen >= s.target : s.seen == s.target;
        if (hit) {
            s.fired = true;
            if (s.fault == FaultyVfs::Fault::Stall) {
                std::printf("stalled at write %d\n", s.seen);
                std::fflush(stdout);
                for (;;)
                    ::pause();
            }
            return s.errorCode;
        }
    }
    sqlite3_file *real = realOf(file);
    return real->pMethods->xWrite(real, buffer, amount, offset);
}

int shimTruncate(sqlite3_file *file, sqlite3_int64 size)
{
    sqlite3_file *real = realOf(file);
    return real->pMethods->xTruncate(real, size);
}

int shimSync(sqlite3_file *file, int flags)
{
    sqlite3_file *real = realOf(file);
    return real->pMethods->xSync(real, flags);
}

int shimFileSize(sqlite3_file *file, sqlite3_int64 *size)
{
    sqlite3_file *real = realOf(file);
    return real->pMethods->xFileSize(real, size);
}

int shimLock(sqlite3_file *file, int level)
{
    sqlite3_file *real = realOf(file);
    return real->pMethods->xLock(real, level);
}

int shimUnlock(sqlite3_file *file, int level)
{
    sqlite3_file *real = realOf(file);
    return real->pMethods->xUnlock(real, level);
}

int shimCheckReservedLock(sqlite3_file *file, int *result)
{
    sqlite3_file *real = realOf(file);
    return real->pMethods->xCheckReservedLock(real, result);
}

int shimFileControl(sqlite3_file *file, int op, void *argument)
{
    sqlite3_file *real = realOf(file);
    return real->pMethods->xFileControl(real, op, argument);
}

int shimSectorSize(sqlite3_file *file)
{
    sqlite3_file *real = realOf(file);
    return real->pMethods->xSectorSize(real);
}

int shimDeviceCharacteristics(sqlite3_file *file)
{
    sqlite3_file *real = realOf(file);
    return real->pMethods->xDeviceCharacteristics(real);
}

int shimShmMap(sqlite3_file *file, int region, int size, int extend, void volatile **memory)
{
    sqlite3_file *real = realOf(file);
    return real->pMethods->xShmMap(real, region, size, extend, memory);
}

int shimShmLock(sqlite3_file *file, int offset, int count, int flags)
{
    sqlite3_file *real = realOf(file);
    return real->pMethods->xShmLock(real, offset, count, flags);
}

void shimShmBarrier(sqlite3_file *file)
{
    sqlite3_file *real = realOf(file);
    real->pMethods->xShmBarrier(real);
}

int shimShmUnmap(sqlite3_file *file, int deleteFlag)
{
    sqlite3_file *real = realOf(file);
    return real->pMethods->xShmUnmap(real, deleteFlag);
}

int shimFetch(sqlite3_file *file, sqlite3_int64 offset, int amount, void **pointer)
{
    sqlite3_file *real = realOf(file);
    return real->pMethods->xFetch(real, offset, amount, pointer);
}

int shimUnfetch(sqlite3_file *file, sqlite3_int64 offset, void *pointer)
{
    sqlite3_file *real = realOf(file);
    return real->pMethods->xUnfetch(real, offset, pointer);
}

const sqlite3_io_methods kMethods = {3,
                                     shimClose,
                                     shimRead,
                                     shimWrite,
                                     shimTruncate,
                                     shimSync,
                                     shimFileSize,
                                     shimLock,
                                     shimUnlock,
                                     shimCheckReservedLock,
                                     shimFileControl,
                                     shimSectorSize,
                                     shimDeviceCharacteristics,
                                     shimShmMap,
                                     shimShmLock,
                                     shimShmBarrier,
                                     shimShmUnmap,
                                     shimFetch,
                                     shimUnfetch};

int shimOpen(sqlite3_vfs *, sqlite3_filename name, sqlite3_file *file, int flags, int *outFlags)
{
    State &s = state();
    auto *shim = reinterpret_cast<ShimFile *>(file);
    shim->base.pMethods = nullptr;
    shim->kind = (flags & SQLITE_OPEN_MAIN_DB) ? FaultyVfs::MainDatabase
                 : (flags & (SQLITE_OPEN_MAIN_JOURNAL | SQLITE_OPEN_SUPER_JOURNAL)) ? FaultyVfs::Journal
                                                     : 0;
    shim->real()->pMethods = nullptr;
    const int rc = s.real->xOpen(s.real, name, shim->real(), flags, outFlags);
    // SQLite calls xClose only on files whose pMethods is set.
    if (shim->real()->pMethods) {
        if (shim->real()->pMethods->iVersion < 3) {
            shim->real()->pMethods->xClose(shim->real());
            return SQLITE_CANTOPEN;
        }
        shim->base.pMethods = &kMethods;
    }
    if (rc == SQLITE_OK && shim->kind == FaultyVfs::MainDatabase)
        ++s.databaseOpens;
    return rc;
}

} // namespace

bool FaultyVfs::install()
{
    State &s = state();
    if (s.real)
        return true;
    s.real = sqlite3_vfs_find(nullptr);
    if (!s.real)
        return false;
    // The other entries keep the real VFS's own data (pAppData), which they read.
    s.shim = *s.real;
    s.shim.zName = "lumio-faulty";
    s.shim.szOsFile = int(sizeof(ShimFile)) + s.real->szOsFile;
    s.shim.xOpen = shimOpen;
    s.shim.pNext = nullptr;
    return sqlite3_vfs_register(&s.shim, 1) == SQLITE_OK;
}

void FaultyVfs::arm(Fault fault, int write, int files, int errorCode)
{
    State &s = state();
    s.fault = fault;
    s.target = write;
    s.files = files;
    s.errorCode = errorCode;
    s.seen = 0;
    s.fired = false;
    s.armed = true;
}

void FaultyVfs::disarm()
{
    state().armed = false;
}

bool FaultyVfs::fired()
{
    return state().fired;
}

int FaultyVfs::databaseOpens()
{
    return state().databaseOpens;
}
