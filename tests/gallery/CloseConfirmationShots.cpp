// The close confirmation's two pages for the screenshots.
#include "GalleryRegistry.h"

#include "app/settings/SystemSetData.h"
#include "mainwindow/MainWindowWarn.h"

#include <QCheckBox>

namespace {

QWidget *closePage()
{
    auto *dialog = new MainWindowWarn(SystemSetData::instance());
    dialog->prepareClosePage();
    return dialog;
}

QWidget *removalPage()
{
    auto *dialog = new MainWindowWarn(SystemSetData::instance());
    dialog->showRemovalPage(QStringLiteral("zhangsan@lumio"));
    dialog->hide();
    dialog->findChild<QCheckBox *>(QStringLiteral("recordsBox"))->setChecked(true);
    return dialog;
}

const GalleryShotAdder closeShot("close_confirmation", closePage);
const GalleryShotAdder removalShot("close_confirmation_remove_contact", removalPage);

} // namespace
