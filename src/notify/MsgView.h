#pragma once

#include <QList>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <QVariant>
#include <QWidget>

#include <functional>

class MsgObj;
class MsgPage;
class QWebChannel;
class QWebEngineProfile;
class QWebEngineView;

// The right side of the unread box: the chat plug-in's message page with the
// bridge object. Scripts wait in order until the page has loaded and its
// bridge has said ready; nothing here ever spins an event loop.
class MsgView : public QWidget
{
    Q_OBJECT
public:
    // Recording keeps the scripts instead of running them (no web engine).
    enum class Engine { Web, Recording };

    explicit MsgView(Engine engine = Engine::Web, QWidget *parent = nullptr);
    ~MsgView() override;

    MsgObj *bridge() const { return m_bridge; }
    // Starts loading the page unless it is loading or loaded.
    void load(const QUrl &page);
    bool isReady() const { return m_state == State::Ready; }

    // One fragment: set strNewLine, append it, scroll to the end.
    void appendFragment(const QString &html);
    void clearMessages();
    void runScript(const QString &script,
                   const std::function<void(const QVariant &)> &done = {});

    QStringList recordedScripts() const { return m_recorded; }

    static constexpr int ReadyTimeoutMs = 5000;

signals:
    void linkClicked(const QUrl &url);
    void pageReady();

private:
    enum class State { Idle, Loading, Ready, Failed };
    struct Pending
    {
        QString script;
        std::function<void(const QVariant &)> done;
    };

    void setUpEngine();
    void onLoadFinished(bool ok);
    void onBridgeReady();
    void becomeReadyIfDone();
    void onTimeout();
    void execute(const Pending &pending);

    Engine m_engine;
    State m_state = State::Idle;
    bool m_loaded = false;
    bool m_bridgeReady = false;
    MsgObj *m_bridge;
    QWebEngineProfile *m_profile = nullptr;
    MsgPage *m_page = nullptr;
    QWebEngineView *m_view = nullptr;
    QWebChannel *m_channel = nullptr;
    QTimer m_readyTimer;
    QList<Pending> m_pending;
    QStringList m_recorded;
};
