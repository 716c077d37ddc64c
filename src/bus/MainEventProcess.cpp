#include "MainEventProcess.h"

#include "BusRequest.h"

#include <lumio/Addresses.h>
#include <lumio/PayloadWriter.h>

void MainEventProcess::showLoginWindow(const QString &userId, const QString &quickLaunch)
{
    BusRequest::tell(0x1055, Address::Login, PayloadWriter::pack(userId, quickLaunch));
}
