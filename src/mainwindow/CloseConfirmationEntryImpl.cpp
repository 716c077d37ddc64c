#include "CloseConfirmationEntryImpl.h"

#include "MainWindowWarn.h"

#include <QTimer>

void CloseConfirmationEntryImpl::showCloseConfirmation(const QString &text)
{
    // Queued, so the plug-in's request returns before the window opens; the reset
    // is queued too and so keeps its order behind an earlier question.
    MainWindowWarn *dialog = MainWindowWarn::instance();
    QTimer::singleShot(0, dialog, [dialog, text] { dialog->showRemovalPage(text); });
}

void CloseConfirmationEntryImpl::resetCloseConfirmation(const QString &)
{
    MainWindowWarn *dialog = MainWindowWarn::instance();
    QTimer::singleShot(0, dialog, [dialog] { dialog->slot_showRecord(); });
}
