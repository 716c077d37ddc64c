#include "app/Application.h"
#include "app/CrashPacker.h"
#include "platform/DisplayPlatform.h"

int main(int argc, char *argv[])
{
    // Started by the crash hook of a dying shell: pack and upload, nothing else.
    if (CrashPacker::isPackingMode(argc, argv))
        return CrashPacker::run(argc, argv);
    DisplayPlatform::preferXcbOnXWayland();
    return application(argc, argv);
}
