#pragma once

// A wrapper around SQLite's default VFS, registered as the new default, so that every
// connection of the process (Qt's driver included, as it links the same libsqlite3) opens
// its files through it. Once armed it counts writes to database files (attached ones too) and
// their rollback and super-journals and fails or stalls the chosen one.
class FaultyVfs
{
public:
    enum class Fault {
        FailOnce,     // the chosen write fails, later ones succeed
        FailFromThen, // the chosen write and every later one fail, as on a full disk
        Stall         // the chosen write prints a line and never returns
    };
    enum Files { MainDatabase = 1, Journal = 2, AnyFile = 3 };

    static bool install();
    static void arm(Fault fault, int write, int files, int errorCode);
    static void disarm();
    static bool fired();
    // Main database files opened through the wrapper since install().
    static int databaseOpens();
};
