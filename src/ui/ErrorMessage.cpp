#include "ErrorMessage.h"

#include "BaseDialogEx.h"
#include "CTextEditEx.h"
#include "FrameMover.h"
#include "MyLineEdit.h"
#include "SkinPainter.h"
#include "common/ResourcePath.h"
#include "platform/Compositor.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {
constexpr int TitleHeight = 32;
constexpr int FooterHeight = 48;
const QSize PlainSize(320, 176);
const QSize LineSize(320, 170);
const QSize ReplySize(320, 250);
}

ErrorMessage::ErrorMessage(QWidget *parent)
    : ErrorMessage(QString(), QString(), parent)
{
}

ErrorMessage::ErrorMessage(const QString &title, const QString &message, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    m_painter.setTranslucent(Compositor::isRunning());
    setAttribute(Qt::WA_TranslucentBackground, m_painter.translucent());
    m_painter.setSkin(SkinPainter::current());
    m_painter.setBandHeight(TitleHeight);
    m_painter.setFooterHeight(FooterHeight);
    m_mover = new FrameMover(this);
    m_mover->setEdgeOffset(m_painter.margin());

    m_titleLabel = new QLabel(this);
    m_titleLabel->setObjectName(QStringLiteral("label_title"));
    m_closeButton = new QPushButton(this);
    m_closeButton->setObjectName(QStringLiteral("pushButton_close"));
    m_closeButton->setToolTip(QStringLiteral("关闭"));
    m_closeButton->setFocusPolicy(Qt::NoFocus);
    m_iconLabel = new QLabel(this);
    m_iconLabel->setObjectName(QStringLiteral("label_icon"));
    m_iconLabel->setStyleSheet(BaseDialogEx::iconStyle(BaseDialogEx::WarningIcon));
    m_messageLabel = new QLabel(this);
    m_messageLabel->setObjectName(QStringLiteral("label_message"));
    m_messageLabel->setWordWrap(true);
    m_messageLabel->setTextFormat(Qt::PlainText);
    m_messageLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_inputLabel = new QLabel(this);
    m_inputLabel->setObjectName(QStringLiteral("label_input"));
    m_lineEdit = new MyLineEdit(this);
    m_lineEdit->setObjectName(QStringLiteral("lineEdit_input"));
    m_lineEdit->setStyleSheet(QString());
    m_textEdit = new CTextEditEx(this);
    m_textEdit->setObjectName(QStringLiteral("textEdit_input"));
    m_textEdit->setStyleSheet(QString());
    m_textEdit->setMaxLength(ReplyLimit);
    m_acceptButton = new QPushButton(QStringLiteral("确定"), this);
    m_acceptButton->setObjectName(QStringLiteral("pushButton_accept"));
    m_acceptButton->setDefault(true);
    m_acceptButton->setCursor(Qt::PointingHandCursor);
    connect(m_acceptButton, &QPushButton::clicked, this, &ErrorMessage::slot_clickedAccptBtn);
    connect(m_closeButton, &QPushButton::clicked, this, &ErrorMessage::slot_clickedCloseBtn);

    setStyleSheet(ResourcePath::styleSheet(QStringLiteral("Resources\\Style\\ErrorMessageBox.css")));
    setTitle(title);
    setMessage(message);
    setInputKind(NoInput);
}

void ErrorMessage::setTitle(const QString &title)
{
    setWindowTitle(title);
    m_titleLabel->setText(title);
}

void ErrorMessage::setMessage(const QString &message)
{
    m_messageLabel->setText(message);
}

void ErrorMessage::setAcceptText(const QString &text)
{
    m_acceptButton->setText(text);
}

void ErrorMessage::setInputKind(InputKind kind, const QString &text)
{
    m_inputKind = kind;
    m_inputLabel->setVisible(kind != NoInput);
    m_lineEdit->setVisible(kind == RemarkName);
    m_textEdit->setVisible(kind == ReplyText);
    m_iconLabel->setVisible(kind == NoInput);
    if (kind == RemarkName) {
        m_inputLabel->setText(QStringLiteral("备注名："));
        m_lineEdit->setText(text);
        m_lineEdit->selectAll();
        m_lineEdit->setFocus();
    } else if (kind == ReplyText) {
        m_inputLabel->setText(QStringLiteral("回复内容(100字以内)："));
        m_textEdit->setPlainText(text);
        m_textEdit->setFocus();
    }
    setFixedSize(kind == NoInput ? PlainSize : kind == RemarkName ? LineSize : ReplySize);
    arrange();
}

void ErrorMessage::slot_clickedAccptBtn()
{
    if (m_inputKind == RemarkName)
        m_inputText = m_lineEdit->text();
    else if (m_inputKind == ReplyText)
        m_inputText = m_textEdit->toPlainText();
    if (m_opensSettings)
        emit signal_OpenSysSetUi();
    accept();
}

void ErrorMessage::slot_clickedCloseBtn()
{
    reject();
}

void ErrorMessage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_painter.paint(painter, this);
}

void ErrorMessage::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    arrange();
}

void ErrorMessage::arrange()
{
    const QRect c = m_painter.contentRect(rect());
    m_titleLabel->setGeometry(c.left() + 12, c.top(), c.width() - 50, TitleHeight);
    m_closeButton->setGeometry(c.right() - 31, c.top(), 32, TitleHeight);
    const QRect footer(c.left(), c.bottom() - FooterHeight + 1, c.width(), FooterHeight);
    m_acceptButton->setGeometry(footer.right() - 12 - 80 + 1, footer.top() + 10, 80, 28);
    const QRect body(QPoint(c.left() + 18, c.top() + TitleHeight + 12), QPoint(c.right() - 18, footer.top() - 12));
    if (m_inputKind == NoInput) {
        m_iconLabel->setGeometry(body.left(), body.top() + (body.height() - 40) / 2, 40, 40);
        m_messageLabel->setGeometry(body.adjusted(54, 0, 0, 0));
        return;
    }
    // The message on top, then the field's caption and the field.
    const int messageHeight = m_messageLabel->text().isEmpty() ? 0 : 22;
    m_messageLabel->setGeometry(body.left(), body.top(), body.width(), messageHeight);
    const int captionTop = body.top() + messageHeight + (messageHeight ? 4 : 0);
    m_inputLabel->setGeometry(body.left(), captionTop, body.width(), 18);
    const QRect field(QPoint(body.left(), captionTop + 22), body.bottomRight());
    if (m_inputKind == RemarkName)
        m_lineEdit->setGeometry(field.left(), field.top(), field.width(), 28);
    else
        m_textEdit->setGeometry(field);
}
