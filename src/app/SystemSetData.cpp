#include "SystemSetData.h"

SystemSetData *SystemSetData::instance()
{
    static auto *data = new SystemSetData;
    return data;
}

SystemSetData::SystemSetData(QObject *parent)
    : QObject(parent)
{
}

void SystemSetData::initCommonData()
{
}
