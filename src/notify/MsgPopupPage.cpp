#include "MsgPopupPage.h"

MsgPopupPage::MsgPopupPage(QWebEngineProfile *profile, QObject *parent)
    : QWebEnginePage(profile, parent)
{
}

bool MsgPopupPage::acceptNavigationRequest(const QUrl &url, NavigationType, bool)
{
    if (!m_reported) {
        m_reported = true;
        emit linkRequested(url);
        deleteLater();
    }
    return false;
}
