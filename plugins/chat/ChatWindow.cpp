#include "ChatWindow.h"

#include "ColleagueDirectory.h"
#include "HeadImages.h"
#include "PackSkin.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int HeadSide = 36;
constexpr int BubbleWidth = 340;
// Both paddings, both borders and a little air.
constexpr int BubblePadding = 2 * 11 + 2 + 4;

QLabel *headLabel(const QPixmap &picture)
{
    auto *label = new QLabel;
    label->setFixedSize(HeadSide, HeadSide);
    if (!picture.isNull())
        label->setPixmap(picture.scaled(HeadSide, HeadSide, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    label->setAlignment(Qt::AlignTop);
    return label;
}

} // namespace

ChatWindow::ChatWindow(const QString &peerJid, QWidget *parent)
    : QWidget(parent)
    , m_peerJid(peerJid)
    , m_title(new QLabel)
    , m_subtitle(new QLabel)
    , m_head(new QLabel)
    , m_scroll(new QScrollArea)
    , m_column(new QWidget)
    , m_messages(new QVBoxLayout(m_column))
    , m_input(new QTextEdit)
    , m_send(new QPushButton(QStringLiteral("发送(S)")))
{
    setObjectName(QStringLiteral("ChatWindow"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    resize(560, 600);
    const Colleague peer = ColleagueDirectory::instance().find(peerJid);
    const QString name = peer.isValid() ? peer.name : peerJid.section(QLatin1Char('@'), 0, 0);
    setWindowTitle(name + QStringLiteral(" - Lumio"));
    m_headPath = HeadImages::pathFor(peer);

    auto *header = new QWidget;
    header->setObjectName(QStringLiteral("packHeader"));
    header->setFixedHeight(64);
    m_head->setFixedSize(44, 44);
    QPixmap head(m_headPath);
    if (!head.isNull())
        m_head->setPixmap(head.scaled(44, 44, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    m_title->setText(name);
    m_title->setObjectName(QStringLiteral("packName"));
    m_subtitle->setText(peer.isValid() ? peer.department + QStringLiteral(" · ") + peer.title : QString());
    auto *titles = new QVBoxLayout;
    titles->setSpacing(2);
    titles->addWidget(m_title);
    titles->addWidget(m_subtitle);
    auto *headerLayout = new QHBoxLayout(header);
    headerLayout->setContentsMargins(14, 8, 14, 8);
    headerLayout->addWidget(m_head);
    headerLayout->addSpacing(8);
    headerLayout->addLayout(titles, 1);

    m_column->setObjectName(QStringLiteral("chatColumn"));
    m_messages->setContentsMargins(12, 12, 12, 12);
    m_messages->setSpacing(10);
    m_messages->addStretch();
    m_scroll->setWidget(m_column);
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    m_input->setObjectName(QStringLiteral("chatInput"));
    m_input->setAcceptRichText(false);
    m_input->setPlaceholderText(QStringLiteral("输入消息，Enter 发送，Ctrl+Enter 换行"));
    m_input->setFixedHeight(110);
    m_input->installEventFilter(this);
    connect(m_send, &QPushButton::clicked, this, &ChatWindow::send);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    auto *close = new QPushButton(QStringLiteral("关闭(C)"));
    close->setObjectName(QStringLiteral("flatButton"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    buttons->addWidget(close);
    buttons->addWidget(m_send);

    auto *bottom = new QVBoxLayout;
    bottom->setContentsMargins(12, 8, 12, 10);
    bottom->addWidget(m_input);
    bottom->addLayout(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header);
    layout->addWidget(m_scroll, 1);
    layout->addLayout(bottom);
    applySkin();
}

void ChatWindow::applySkin()
{
    PackSkin::apply(this);
    setStyleSheet(styleSheet()
                  + QStringLiteral("ChatWindow { background: white; }"
                                   "#chatColumn { background: #f6f9fa; }"
                                   "QLabel#bubbleIn { background: white; border: 1px solid #e1e8eb;"
                                   " border-radius: 8px; padding: 8px 11px; }"
                                   "QLabel#bubbleOut { background: %1; border-radius: 8px;"
                                   " padding: 8px 11px; }"
                                   "QLabel#stamp, QLabel#note { color: #8a97a0; font-size: 11px; }")
                        .arg(PackSkin::firstColor()));
}

void ChatWindow::appendMessage(const MessageData &message)
{
    auto *row = new QWidget;
    auto *rowLayout = new QHBoxLayout(row);
    rowLayout->setContentsMargins(0, 0, 0, 0);
    rowLayout->setSpacing(8);
    auto *bubble = new QLabel;
    bubble->setObjectName(message.outgoing ? QStringLiteral("bubbleOut") : QStringLiteral("bubbleIn"));
    bubble->setTextFormat(Qt::PlainText);
    bubble->setText(message.text);
    bubble->setTextInteractionFlags(Qt::TextSelectableByMouse);
    bubble->setMaximumWidth(BubbleWidth);
    // A wrapping label picks a narrow width on its own; short texts stay on one line.
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(13);
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const QString &line : message.text.split(QLatin1Char('\n')))
        widest = qMax(widest, metrics.horizontalAdvance(line));
    bubble->setMinimumWidth(qMin(widest + BubblePadding, BubbleWidth));
    bubble->setWordWrap(widest + BubblePadding > BubbleWidth);
    bubble->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Preferred);
    auto *stamp = new QLabel(message.time.mid(11, 5));
    stamp->setObjectName(QStringLiteral("stamp"));
    if (message.outgoing) {
        rowLayout->addStretch();
        rowLayout->addWidget(stamp, 0, Qt::AlignBottom);
        rowLayout->addWidget(bubble);
        const QString seed = message.fromJid.section(QLatin1Char('@'), 0, 0);
        rowLayout->addWidget(headLabel(HeadImages::draw(message.fromName.left(1), seed, 2 * HeadSide)),
                             0, Qt::AlignTop);
    } else {
        rowLayout->addWidget(headLabel(QPixmap(m_headPath)), 0, Qt::AlignTop);
        rowLayout->addWidget(bubble);
        rowLayout->addWidget(stamp, 0, Qt::AlignBottom);
        rowLayout->addStretch();
    }
    m_messages->addWidget(row);
    ++m_count;
    scrollToEnd();
}

void ChatWindow::appendNote(const QString &text)
{
    auto *note = new QLabel(text);
    note->setObjectName(QStringLiteral("note"));
    note->setAlignment(Qt::AlignCenter);
    note->setWordWrap(true);
    m_messages->addWidget(note);
    scrollToEnd();
}

bool ChatWindow::hasUnsentText() const
{
    return !m_input->toPlainText().trimmed().isEmpty();
}

void ChatWindow::send()
{
    const QString text = m_input->toPlainText().trimmed();
    if (text.isEmpty())
        return;
    m_input->clear();
    emit sendRequested(m_peerJid, text);
}

void ChatWindow::scrollToEnd()
{
    QTimer::singleShot(0, this, [this] {
        m_scroll->verticalScrollBar()->setValue(m_scroll->verticalScrollBar()->maximum());
    });
}

bool ChatWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_input && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && !(key->modifiers() & Qt::ControlModifier)) {
            send();
            return true;
        }
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && (key->modifiers() & Qt::ControlModifier)) {
            m_input->insertPlainText(QStringLiteral("\n"));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
