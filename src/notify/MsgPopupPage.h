#pragma once

#include <QWebEnginePage>

// Stands in for the window a target=_blank link asks for: it reports the first
// address it is sent to, loads nothing and deletes itself.
class MsgPopupPage : public QWebEnginePage
{
    Q_OBJECT
public:
    MsgPopupPage(QWebEngineProfile *profile, QObject *parent);

signals:
    void linkRequested(const QUrl &url);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;

private:
    bool m_reported = false;
};
