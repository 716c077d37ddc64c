#include "DBMessageSave.h"

void DBMessageSave::registerMetaType()
{
    static const int id = qRegisterMetaType<DBMessageSave>("DBMessageSave");
    Q_UNUSED(id)
}
