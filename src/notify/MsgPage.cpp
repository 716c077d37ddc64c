#include "MsgPage.h"

#include "MsgPopupPage.h"
#include "log/ShellLog.h"

#include <QWebEngineSettings>

MsgPage::MsgPage(QWebEngineProfile *profile, QObject *parent) : QWebEnginePage(profile, parent)
{
    QWebEngineSettings *s = settings();
    s->setUnknownUrlSchemePolicy(QWebEngineSettings::DisallowUnknownUrlSchemes);
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
}

bool MsgPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    if (type == NavigationTypeLinkClicked) {
        emit linkClicked(url);
        return false;
    }
    if (isMainFrame && url == m_pageUrl)
        return true;
    LOG_WARN(QStringLiteral("message page navigation refused: %1").arg(url.toString().left(200)));
    return false;
}

QWebEnginePage *MsgPage::createWindow(WebWindowType)
{
    // A target=_blank link: the throw-away page reports where it was sent, then goes.
    auto *popup = new MsgPopupPage(profile(), this);
    connect(popup, &MsgPopupPage::linkRequested, this, &MsgPage::linkClicked);
    return popup;
}
