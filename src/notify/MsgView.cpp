#include "MsgView.h"

#include "MsgObj.h"
#include "MsgPage.h"
#include "MsgTemplates.h"
#include "log/ShellLog.h"

#include <QFile>
#include <QVBoxLayout>
#include <QWebChannel>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>

namespace {

const char Bootstrap[] =
    "new QWebChannel(qt.webChannelTransport, function (channel) {"
    " window.messageObject = channel.objects.messageObject;"
    " window.messageObject.ready(); });";

QWebEngineScript script(const QString &name, const QString &source,
                        QWebEngineScript::InjectionPoint point)
{
    QWebEngineScript s;
    s.setName(name);
    s.setSourceCode(source);
    s.setInjectionPoint(point);
    s.setWorldId(QWebEngineScript::MainWorld);
    s.setRunsOnSubFrames(false);
    return s;
}

} // namespace

MsgView::MsgView(Engine engine, QWidget *parent)
    : QWidget(parent), m_engine(engine), m_bridge(new MsgObj(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_readyTimer.setSingleShot(true);
    m_readyTimer.setInterval(ReadyTimeoutMs);
    connect(&m_readyTimer, &QTimer::timeout, this, &MsgView::onTimeout);
    connect(m_bridge, &MsgObj::signal_ready, this, &MsgView::onBridgeReady);
    if (m_engine == Engine::Web)
        setUpEngine();
}

MsgView::~MsgView()
{
    // The page must go before its profile.
    delete m_view;
    delete m_page;
}

void MsgView::setUpEngine()
{
    m_profile = new QWebEngineProfile(this); // off the record: nothing on disk
    m_page = new MsgPage(m_profile, this);
    m_channel = new QWebChannel(this);
    m_channel->registerObject(QStringLiteral("messageObject"), m_bridge);
    m_page->setWebChannel(m_channel);
    QFile channelJs(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
    QString channelSource;
    if (channelJs.open(QIODevice::ReadOnly))
        channelSource = QString::fromUtf8(channelJs.readAll());
    else
        LOG_ERROR(QStringLiteral("qwebchannel.js is missing; the message page gets no bridge"));
    m_page->scripts().insert(script(QStringLiteral("lumio-webchannel"), channelSource,
                                    QWebEngineScript::DocumentCreation));
    m_page->scripts().insert(script(QStringLiteral("lumio-bootstrap"), QString::fromLatin1(Bootstrap),
                                    QWebEngineScript::DocumentReady));
    connect(m_page, &QWebEnginePage::loadFinished, this, &MsgView::onLoadFinished);
    connect(m_page, &MsgPage::linkClicked, this, &MsgView::linkClicked);
    m_view = new QWebEngineView(this);
    m_view->setPage(m_page);
    m_view->setContextMenuPolicy(Qt::NoContextMenu);
    layout()->addWidget(m_view);
}

void MsgView::load(const QUrl &page)
{
    if (m_state == State::Loading || m_state == State::Ready)
        return;
    m_state = State::Loading;
    m_loaded = false;
    m_bridgeReady = false;
    if (m_engine == Engine::Recording) {
        m_loaded = m_bridgeReady = true;
        becomeReadyIfDone();
        return;
    }
    m_readyTimer.start();
    m_page->setPageUrl(page);
    m_page->load(page);
}

void MsgView::onLoadFinished(bool ok)
{
    if (m_state != State::Loading)
        return;
    if (!ok) {
        LOG_WARN(QStringLiteral("message page did not load: %1").arg(m_page->url().toString()));
        return; // the time-out gives up
    }
    m_loaded = true;
    becomeReadyIfDone();
}

void MsgView::onBridgeReady()
{
    if (m_state != State::Loading)
        return;
    m_bridgeReady = true;
    becomeReadyIfDone();
}

void MsgView::becomeReadyIfDone()
{
    if (!m_loaded || !m_bridgeReady)
        return;
    m_readyTimer.stop();
    m_state = State::Ready;
    const QList<Pending> pending = std::exchange(m_pending, {});
    for (const Pending &p : pending)
        execute(p);
    emit pageReady();
}

void MsgView::onTimeout()
{
    if (m_state != State::Loading)
        return;
    LOG_WARN(QStringLiteral("message page not ready after %1 ms; %2 messages are not previewed")
                 .arg(ReadyTimeoutMs)
                 .arg(m_pending.size()));
    m_state = State::Failed;
    m_pending.clear();
}

void MsgView::appendFragment(const QString &html)
{
    const QString literal = MsgTemplates::scriptCall(QString(), {html}).mid(1).chopped(1);
    runScript(QStringLiteral("messageObject.strNewLine = %1; fnAppendMessage(); "
                             "window.scrollTo(0, document.body.scrollHeight);")
                  .arg(literal));
}

void MsgView::clearMessages()
{
    runScript(QStringLiteral("if (typeof fnClearMessages === 'function') fnClearMessages(); "
                             "else document.body.innerHTML = '';"));
}

void MsgView::runScript(const QString &script, const std::function<void(const QVariant &)> &done)
{
    if (m_state == State::Failed)
        return; // logged once when the page gave up
    const Pending pending{script, done};
    if (m_state != State::Ready) {
        m_pending.append(pending);
        return;
    }
    execute(pending);
}

void MsgView::execute(const Pending &pending)
{
    if (m_engine == Engine::Recording) {
        m_recorded.append(pending.script);
        if (pending.done)
            pending.done(QVariant());
        return;
    }
    if (pending.done)
        m_page->runJavaScript(pending.script, QWebEngineScript::MainWorld, pending.done);
    else
        m_page->runJavaScript(pending.script, QWebEngineScript::MainWorld);
}
