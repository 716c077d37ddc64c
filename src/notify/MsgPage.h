#pragma once

#include <QUrl>
#include <QWebEnginePage>

// The message page: it loads only its own file and hands every link, also one
// meant for a new window, to linkClicked instead of following it.
class MsgPage : public QWebEnginePage
{
    Q_OBJECT
public:
    MsgPage(QWebEngineProfile *profile, QObject *parent = nullptr);

    void setPageUrl(const QUrl &url) { m_pageUrl = url; }

signals:
    void linkClicked(const QUrl &url);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage *createWindow(WebWindowType type) override;

private:
    QUrl m_pageUrl;
};
