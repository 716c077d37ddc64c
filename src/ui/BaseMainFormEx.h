#pragma once

#include "CBaseFormEx.h"

// A framed window whose band shows the main background picture when the skin has none.
class BaseMainFormEx : public CBaseFormEx
{
    Q_OBJECT
public:
    explicit BaseMainFormEx(QWidget *parent = nullptr);

    static QString backgroundPicture();
};
