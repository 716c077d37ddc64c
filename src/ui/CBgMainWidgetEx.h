#pragma once

#include "CBaseFormEx.h"

// A framed window painted with the skin all over (no white area), for panels that
// sit on the background, such as the weather and app panels.
class CBgMainWidgetEx : public CBaseFormEx
{
    Q_OBJECT
public:
    explicit CBgMainWidgetEx(QWidget *parent = nullptr);

protected:
    void resizeEvent(QResizeEvent *event) override;
};
