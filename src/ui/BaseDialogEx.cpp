#include "BaseDialogEx.h"

#include "FrameMover.h"
#include "SkinPainter.h"
#include "common/ResourcePath.h"
#include "platform/Compositor.h"

#include <QCheckBox>
#include <QDebug>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextBrowser>
#include <QTextEdit>

namespace {

constexpr int TitleHeight = 30;
constexpr int FooterHeight = 48;
constexpr int ButtonWidth = 72;
constexpr int ButtonHeight = 28;

struct KindLayout
{
    int kind;
    QSize size;
    int page;
    int band;
};

const KindLayout Layouts[] = {
    {BaseDialogEx::Message, QSize(288, 158), 0, 100},
    {BaseDialogEx::LineInput, QSize(288, 158), 1, 100},
    {BaseDialogEx::LongText, QSize(548, 308), 2, 250},
    {BaseDialogEx::TextInput, QSize(243, 328), 3, 185},
};

// What the dialog has without a known kind.
const QSize DesignerSize(288, 158);

const KindLayout *layoutOf(int kind)
{
    for (const KindLayout &layout : Layouts) {
        if (layout.kind == kind)
            return &layout;
    }
    return nullptr;
}

} // namespace

BaseDialogEx::BaseDialogEx(QWidget *parent, const QString &title, const QString &message, int kind,
                           int buttons, int icon)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , m_title(title)
    , m_message(message)
    , m_kind(kind)
{
    m_painter.setTranslucent(Compositor::isRunning());
    setAttribute(Qt::WA_TranslucentBackground, m_painter.translucent());
    m_painter.setSkin(SkinPainter::current());
    m_mover = new FrameMover(this);
    m_mover->setEdgeOffset(m_painter.margin());
    setWindowTitle(title);
    resize(DesignerSize);

    buildWidgets();
    applyKind();
    setStyleSheet(ResourcePath::styleSheet(QStringLiteral("Resources/Style/CBaseDialogEx.css")));
    applyIcon(icon);
    applyButtons(buttons);
    if (m_kind == LineInput || m_kind == TextInput)
        setDefaultInput(m_defaultInput);
    m_minButton->setToolTip(QStringLiteral("最小化"));
    m_closeButton->setToolTip(QStringLiteral("关闭"));
    arrange();
}

void BaseDialogEx::buildWidgets()
{
    m_titleLabel = new QLabel(m_title, this);
    m_titleLabel->setObjectName(QStringLiteral("label_title"));
    m_minButton = new QPushButton(this);
    m_minButton->setObjectName(QStringLiteral("pushButton_min"));
    m_closeButton = new QPushButton(this);
    m_closeButton->setObjectName(QStringLiteral("pushButton_close"));
    for (QPushButton *button : {m_minButton, m_closeButton}) {
        button->setFocusPolicy(Qt::NoFocus);
        button->setCursor(Qt::PointingHandCursor);
    }
    m_iconLabel = new QLabel(this);
    m_iconLabel->setObjectName(QStringLiteral("label_icon"));

    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("stackedWidget"));

    auto *messagePage = new QWidget(m_pages);
    m_messageLabel = new QLabel(m_message, messagePage);
    m_messageLabel->setObjectName(QStringLiteral("label_message"));
    m_messageLabel->setTextFormat(Qt::PlainText);
    m_pages->addWidget(messagePage);

    auto *linePage = new QWidget(m_pages);
    m_inputLabel = new QLabel(m_message, linePage);
    m_inputLabel->setObjectName(QStringLiteral("label_inputMessage"));
    m_inputLabel->setTextFormat(Qt::PlainText);
    m_lineEdit = new QLineEdit(linePage);
    m_lineEdit->setObjectName(QStringLiteral("lineEdit_input"));
    m_hintLabel = new QLabel(linePage);
    m_hintLabel->setObjectName(QStringLiteral("label_hint"));
    m_pages->addWidget(linePage);

    auto *longPage = new QWidget(m_pages);
    m_browser = new QTextBrowser(longPage);
    m_browser->setObjectName(QStringLiteral("textBrowser"));
    m_browser->setReadOnly(true);
    m_browser->setPlainText(m_message);
    m_pages->addWidget(longPage);

    auto *textPage = new QWidget(m_pages);
    m_textInputLabel = new QLabel(m_message, textPage);
    m_textInputLabel->setObjectName(QStringLiteral("label_textMessage"));
    m_textInputLabel->setTextFormat(Qt::PlainText);
    m_textInputLabel->setWordWrap(true);
    m_textInputLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_textEdit = new QTextEdit(textPage);
    m_textEdit->setObjectName(QStringLiteral("textEdit_input"));
    m_textEdit->setAcceptRichText(false);
    m_pages->addWidget(textPage);

    m_checkBox = new QCheckBox(QStringLiteral("不再提示"), this);
    m_checkBox->setObjectName(QStringLiteral("checkBox"));
    m_okButton = new QPushButton(QStringLiteral("确定"), this);
    m_okButton->setObjectName(QStringLiteral("pushButton_ok"));
    m_cancelButton = new QPushButton(QStringLiteral("取消"), this);
    m_cancelButton->setObjectName(QStringLiteral("pushButton_cancel"));
    m_ignoreButton = new QPushButton(QStringLiteral("忽略"), this);
    m_ignoreButton->setObjectName(QStringLiteral("pushButton_ignore"));
    for (QPushButton *button : {m_okButton, m_cancelButton, m_ignoreButton})
        button->setCursor(Qt::PointingHandCursor);

    connect(m_minButton, &QPushButton::clicked, this, &BaseDialogEx::slot_Min);
    connect(m_closeButton, &QPushButton::clicked, this, &BaseDialogEx::slot_Close);
    connect(m_okButton, &QPushButton::clicked, this, &BaseDialogEx::slot_Ok);
    connect(m_cancelButton, &QPushButton::clicked, this, &BaseDialogEx::slot_Cancle);
    connect(m_ignoreButton, &QPushButton::clicked, this, &BaseDialogEx::slot_Ignore);
}

void BaseDialogEx::applyKind()
{
    const KindLayout *layout = layoutOf(m_kind);
    if (!layout) {
        qDebug() << "BaseDialogEx";
        m_pages->setCurrentIndex(0);
        m_painter.setBandHeight(100);
        return;
    }
    setFixedSize(layout->size);
    m_pages->setCurrentIndex(layout->page);
    m_painter.setBandHeight(layout->band);
}

QString BaseDialogEx::iconStyle(int icon)
{
    static const char *const names[] = {"fail", "info", "question", "success", "warning"};
    if (icon < 1 || icon > 5)
        return QString();
    const QString quoted = QStringLiteral("Resources/images/CommonCtrls/kora_dialog_icon_%1.png")
                               .arg(QLatin1String(names[icon - 1]));
    return ResourcePath::absoluteUrls(QStringLiteral("image: url(%1);").arg(quoted));
}

QString BaseDialogEx::logoPicture()
{
    return QStringLiteral("Resources/images/icon/g_ic_logo_graphic.png");
}

void BaseDialogEx::applyIcon(int icon)
{
    if (m_kind == LongText) {
        m_iconLabel->setStyleSheet(ResourcePath::absoluteUrls(QStringLiteral("image: url(%1);").arg(logoPicture())));
        m_iconLabel->show();
        return;
    }
    const QString style = iconStyle(icon);
    m_iconLabel->setStyleSheet(style);
    m_iconLabel->setVisible(!style.isEmpty());
}

void BaseDialogEx::applyButtons(int buttons)
{
    m_minButton->setVisible(buttons & MinButton);
    m_closeButton->setVisible(buttons & CloseButton);
    m_okButton->setVisible(buttons & OkButton);
    m_cancelButton->setVisible(buttons & CancelButton);
    m_ignoreButton->setVisible(buttons & IgnoreButton);
    m_checkBox->setVisible(buttons & CheckBox);
    if (buttons & OkButton)
        m_okButton->setDefault(true);
}

void BaseDialogEx::setDefaultInput(const QString &text)
{
    m_defaultInput = text;
    if (m_kind == LineInput) {
        m_lineEdit->setText(text);
        m_lineEdit->selectAll();
        m_lineEdit->setFocus();
    } else if (m_kind == TextInput) {
        m_textEdit->setPlainText(text);
        m_textEdit->selectAll();
        m_textEdit->setFocus();
    }
}

void BaseDialogEx::setHintText(const QString &text)
{
    m_hintText = text;
    m_hintLabel->setText(text);
}

void BaseDialogEx::setCheckBoxText(const QString &text)
{
    m_checkBox->setText(text);
    arrange();
}

void BaseDialogEx::setButtonTexts(const QString &ok, const QString &cancel, const QString &ignore)
{
    if (!ok.isEmpty())
        m_okButton->setText(ok);
    if (!cancel.isEmpty())
        m_cancelButton->setText(cancel);
    if (!ignore.isEmpty())
        m_ignoreButton->setText(ignore);
}

void BaseDialogEx::slot_Min()
{
    showMinimized();
}

void BaseDialogEx::slot_Close()
{
    emit signal_CloseBtnClicked();
    setResult(Cancelled);
    close();
}

void BaseDialogEx::slot_Ok()
{
    emit signal_OkBtnClicked();
    // The multi-line layout's field is the input there; elsewhere the line edit.
    m_typedText = m_kind == TextInput ? m_textEdit->toPlainText() : m_lineEdit->text();
    if (!m_checkBox->isHidden() && m_checkBox->isChecked()) {
        done(AcceptedChecked);
        return;
    }
    accept();
}

void BaseDialogEx::slot_Cancle()
{
    emit signal_CancleBtnClicked();
    reject();
}

void BaseDialogEx::slot_Ignore()
{
    // done(), not close(): closing a visible dialog rejects it and exec() would say 0.
    done(Ignored);
}

void BaseDialogEx::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    m_painter.paint(painter, this);
}

void BaseDialogEx::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    arrange();
}

void BaseDialogEx::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_kind == LineInput)
        m_lineEdit->setFocus();
    else if (m_kind == TextInput)
        m_textEdit->setFocus();
}

void BaseDialogEx::arrange()
{
    if (!m_pages)
        return;
    const QRect c = m_painter.contentRect(rect());
    const int titleBottom = c.top() + TitleHeight;
    const int bandBottom = c.top() + qMin(m_painter.bandHeight(), c.height());

    m_closeButton->setGeometry(c.right() - 30, c.top(), 30, TitleHeight);
    m_minButton->setGeometry(m_closeButton->isHidden() ? c.right() - 30 : c.right() - 58, c.top(), 28, TitleHeight);
    m_titleLabel->setGeometry(c.left() + 12, c.top(), c.width() - 80, TitleHeight);

    const QRect footer(c.left(), c.bottom() - FooterHeight + 1, c.width(), FooterHeight);
    int x = footer.right() - 11;
    for (QPushButton *button : {m_cancelButton, m_ignoreButton, m_okButton}) {
        if (button->isHidden())
            continue;
        button->setGeometry(x - ButtonWidth + 1, footer.top() + (FooterHeight - ButtonHeight) / 2, ButtonWidth, ButtonHeight);
        x -= ButtonWidth + 10;
    }
    m_checkBox->setGeometry(footer.left() + 14, footer.top(), qMax(0, x - footer.left() - 14), FooterHeight);

    const bool iconShown = !m_iconLabel->isHidden();
    QRect page;
    if (m_kind == LongText) {
        m_iconLabel->setGeometry(c.left() + 20, titleBottom + 12, 56, 56);
        page = QRect(QPoint(c.left() + 92, titleBottom + 8), QPoint(c.right() - 20, bandBottom - 12));
        m_browser->setGeometry(0, 0, page.width(), page.height());
    } else if (m_kind == TextInput) {
        // Tall and narrow: the icon centred in the band with the message under it,
        // the field in the white area.
        page = QRect(QPoint(c.left() + 18, titleBottom + 10), QPoint(c.right() - 18, footer.top() - 6));
        const int textTop = iconShown ? titleBottom + 24 + 48 + 14 : titleBottom + 10;
        m_iconLabel->setGeometry(c.center().x() - 24, titleBottom + 24, 48, 48);
        const int textHeight = qMax(0, bandBottom - 10 - textTop);
        const int naturalHeight = qMin(textHeight, m_textInputLabel->heightForWidth(page.width()));
        const int centredTop = iconShown ? textTop : titleBottom + (bandBottom - titleBottom - naturalHeight) / 2;
        m_textInputLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        m_textInputLabel->setGeometry(0, centredTop - page.top(), page.width(), textHeight);
        const int editTop = bandBottom - page.top() + 12;
        m_textEdit->setGeometry(0, editTop, page.width(), page.height() - editTop);
    } else {
        const int iconTop = titleBottom + (bandBottom - titleBottom - 40) / 2;
        m_iconLabel->setGeometry(c.left() + 20, iconTop, 40, 40);
        const int left = iconShown ? c.left() + 72 : c.left() + 20;
        page = QRect(QPoint(left, titleBottom + (m_kind == LineInput ? 2 : 6)), QPoint(c.right() - 20, bandBottom - 4));
        m_messageLabel->setGeometry(0, 0, page.width(), page.height());
        m_inputLabel->setGeometry(0, 0, page.width(), 18);
        m_lineEdit->setGeometry(0, 20, page.width(), 24);
        m_hintLabel->setGeometry(0, 45, page.width(), page.height() - 45);
    }
    m_pages->setGeometry(page);
    alignMessage();
    if (m_kind != LongText && m_kind != TextInput && m_kind != LineInput) {
        // The text block sits level with the icon; the alignment inside it stays as set.
        const int textHeight = m_messageLabel->heightForWidth(page.width()) > 0
                                   ? m_messageLabel->heightForWidth(page.width())
                                   : m_messageLabel->fontMetrics().height();
        const int iconCentre = m_iconLabel->geometry().center().y();
        const int top = qBound(page.top(), iconCentre - textHeight / 2, qMax(page.top(), page.bottom() - textHeight));
        m_pages->setGeometry(QRect(QPoint(page.left(), top), page.bottomRight()));
        m_messageLabel->setGeometry(0, 0, page.width(), page.bottom() - top + 1);
    }
}

void BaseDialogEx::alignMessage()
{
    // One line fits: centred under the title; otherwise wrapped from the top left.
    m_messageLabel->ensurePolished();
    const int width = m_messageLabel->width();
    const bool fits = m_messageLabel->fontMetrics().horizontalAdvance(m_message) <= width
                      && !m_message.contains(QLatin1Char('\n'));
    m_messageLabel->setWordWrap(!fits);
    m_messageLabel->setAlignment(fits ? (Qt::AlignTop | Qt::AlignHCenter) : (Qt::AlignTop | Qt::AlignLeft));
}
