#include "CMenuEx.h"

#include "MenuIconStyle.h"
#include "common/ResourcePath.h"

namespace {

const char MenuIcons[] =
    "QMenu{max-width:300px;border-radius:2px;background-color:#ffffff;border: 1px solid #585858;padding-top:5px;font-size:14px;color:#322926;}QMenu::item:selected{background-color: #80c84c;color:White;}QMenu::item {color:black;height:30px; padding-left:35px;padding-right:25px;}QMenu::item:disabled{color:rgb(180,180,180);}QMenu::icon{padding-left:20px;}";
const char MenuChecks[] =
    "QMenu{max-width:300px;border-radius:2px;background-color:#ffffff;border: 1px solid #585858;padding-top:5px;font-size:14px;color:#322926;}QMenu::item:selected{background-color: #80c84c;color:White;}QMenu::item {color:black;height:30px; padding-left:35px;padding-right:25px;}QMenu::item:disabled{color:rgb(180,180,180);}QMenu::indicator:non-exclusive:checked {margin-left:10px;width:15;height:15;border-image:url(Resources/images/CommonCtrls/kora_list_ic_selected.png);}QMenu::indicator:exclusive:checked {margin-left:10px;width:15;height:15;border-image:url(Resources/images/CommonCtrls/kora_list_ic_selected.png);}";
const char MenuPlain[] =
    "QMenu{max-width:300px;border-radius:2px;background-color:#ffffff;border: 1px solid #585858;padding-top:5px;font-size:14px;color:#322926;}QMenu::item:selected{background-color: #4dc9b0;color:White;}QMenu::item {color:#322926;height:30px; padding-left:15px;padding-right:15px;}QMenu::item:disabled{color:rgb(180,180,180);}";

} // namespace

CMenuEx::CMenuEx(QWidget *parent)
    : QMenu(parent)
{
    setStyle(new MenuIconStyle(this));
    setMenuStyle(0);
}

QString CMenuEx::styleSheetOf(int style)
{
    if (style == 0)
        return QString::fromUtf8(MenuIcons);
    if (style == 1)
        return QString::fromUtf8(MenuChecks);
    return QString::fromUtf8(MenuPlain);
}

void CMenuEx::setMenuStyle(int style)
{
    m_style = style;
    setStyleSheet(ResourcePath::absoluteUrls(styleSheetOf(style)));
}
