#pragma once

#include <QObject>

// The user's settings: common data of IMInfo.ini and the account's config.ini.
class SystemSetData : public QObject
{
    Q_OBJECT
public:
    static SystemSetData *instance();
    explicit SystemSetData(QObject *parent = nullptr);

    void initCommonData();
};
