#include "MessageData.h"
#include "Records.h"
#include "RequestData.h"
#include "SysUIData.h"
#include "VcardInfo.h"

namespace {
// Queued connections need the value types known by name as soon as the SDK loads.
const int registered = [] {
    qRegisterMetaType<MessageData>("MessageData");
    qRegisterMetaType<VcardInfo>("VcardInfo");
    qRegisterMetaType<RequestData>("RequestData");
    qRegisterMetaType<QList<RequestData>>("QList<RequestData>");
    qRegisterMetaType<SysUIData>("SysUIData");
    qRegisterMetaType<UserRecord>("UserRecord");
    qRegisterMetaType<GroupRecord>("GroupRecord");
    qRegisterMetaType<PublicAccountRecord>("PublicAccountRecord");
    qRegisterMetaType<NoticeRecord>("NoticeRecord");
    return 0;
}();
}
