#include "LoginWindow.h"

#include "ColleagueDirectory.h"
#include "HeadImages.h"
#include "PackSkin.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

struct PresenceChoice
{
    const char *label;
    int code;
};

const PresenceChoice Choices[] = {{"在线", 1}, {"离开", 2}, {"忙碌", 4}, {"隐身", 5}};

} // namespace

LoginWindow::LoginWindow(QWidget *parent)
    : QWidget(parent)
    , m_head(new QLabel)
    , m_account(new QComboBox)
    , m_password(new QLineEdit)
    , m_presence(new QComboBox)
    , m_remember(new QCheckBox(QStringLiteral("记住账号")))
    , m_autoLogin(new QCheckBox(QStringLiteral("自动登录")))
    , m_logIn(new QPushButton(QStringLiteral("登  录")))
    , m_status(new QLabel)
{
    setObjectName(QStringLiteral("LoginWindow"));
    setWindowTitle(QStringLiteral("Lumio 登录"));
    setFixedSize(380, 430);

    auto *header = new QWidget;
    header->setObjectName(QStringLiteral("packHeader"));
    header->setFixedHeight(150);
    auto *title = new QLabel(QStringLiteral("Lumio"));
    title->setObjectName(QStringLiteral("packTitle"));
    title->setAlignment(Qt::AlignCenter);
    auto *slogan = new QLabel(QStringLiteral("企业即时通讯"));
    slogan->setObjectName(QStringLiteral("packSubtitle"));
    slogan->setAlignment(Qt::AlignCenter);
    auto *headerLayout = new QVBoxLayout(header);
    headerLayout->addStretch();
    headerLayout->addWidget(title);
    headerLayout->addWidget(slogan);
    headerLayout->addStretch();

    m_head->setFixedSize(72, 72);
    m_head->setAlignment(Qt::AlignCenter);

    m_account->setEditable(true);
    m_account->lineEdit()->setPlaceholderText(QStringLiteral("账号"));
    for (const Colleague &c : ColleagueDirectory::instance().colleagues())
        m_account->addItem(c.user);
    m_account->setCurrentIndex(-1);
    m_account->setMinimumHeight(34);
    m_password->setPlaceholderText(QStringLiteral("密码"));
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setMinimumHeight(34);
    for (const PresenceChoice &choice : Choices)
        m_presence->addItem(QString::fromUtf8(choice.label), choice.code);
    m_presence->setMinimumHeight(30);

    m_logIn->setDefault(true);
    m_logIn->setMinimumHeight(38);
    m_status->setAlignment(Qt::AlignCenter);
    m_status->setStyleSheet(QStringLiteral("color: #d2554f;"));

    connect(m_logIn, &QPushButton::clicked, this, &LoginWindow::tryLogIn);
    connect(m_password, &QLineEdit::returnPressed, this, &LoginWindow::tryLogIn);
    connect(m_account, &QComboBox::currentTextChanged, this, &LoginWindow::refreshHead);
    connect(m_autoLogin, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_remember->setChecked(true);
    });

    auto *form = new QVBoxLayout;
    form->setContentsMargins(40, 0, 40, 0);
    form->setSpacing(10);
    auto *headRow = new QHBoxLayout;
    headRow->addStretch();
    headRow->addWidget(m_head);
    headRow->addStretch();
    form->addLayout(headRow);
    form->addWidget(m_account);
    form->addWidget(m_password);
    auto *options = new QHBoxLayout;
    options->addWidget(m_presence);
    options->addStretch();
    options->addWidget(m_remember);
    options->addWidget(m_autoLogin);
    form->addLayout(options);
    form->addWidget(m_logIn);
    form->addWidget(m_status);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 16);
    layout->addWidget(header);
    layout->addSpacing(-36);
    layout->addLayout(form);
    layout->addStretch();
    // The pack logs in to the simulated service: say how to get in.
    auto *hint = new QLabel(QStringLiteral("演示账号见下拉列表，密码均为 demo"));
    hint->setObjectName(QStringLiteral("loginHint"));
    hint->setAlignment(Qt::AlignCenter);
    hint->setStyleSheet(QStringLiteral("color: #8a98a5; font-size: 12px;"));
    layout->addWidget(hint);
    applySkin();
    refreshHead();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void LoginWindow::applySkin()
{
    PackSkin::apply(this);
    setStyleSheet(styleSheet() + QStringLiteral("LoginWindow { background: #f6f9fa; }"));
}

void LoginWindow::refreshHead()
{
    const Colleague c = ColleagueDirectory::instance().find(m_account->currentText());
    const QPixmap head = c.isValid() ? HeadImages::draw(c.surname(), c.user, 144)
                                     : HeadImages::draw(QStringLiteral("L"), QStringLiteral("lumio"), 144);
    QPixmap scaled = head.scaled(72, 72, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_head->setPixmap(scaled);
}

void LoginWindow::setAccount(const QString &account)
{
    m_account->setCurrentText(account);
    m_password->setFocus();
}

QString LoginWindow::account() const
{
    return m_account->currentText().trimmed();
}

QString LoginWindow::takePassword()
{
    const QString password = m_password->text();
    m_password->clear();
    return password;
}

int LoginWindow::presenceCode() const
{
    return m_presence->currentData().toInt();
}

bool LoginWindow::remember() const { return m_remember->isChecked(); }
bool LoginWindow::autoLogin() const { return m_autoLogin->isChecked(); }
void LoginWindow::setRemember(bool remember) { m_remember->setChecked(remember); }
void LoginWindow::setAutoLogin(bool autoLogin) { m_autoLogin->setChecked(autoLogin); }

void LoginWindow::setBusy(bool busy)
{
    m_logIn->setEnabled(!busy);
    m_account->setEnabled(!busy);
    m_password->setEnabled(!busy);
    m_logIn->setText(busy ? QStringLiteral("正在登录…") : QStringLiteral("登  录"));
    if (busy)
        m_status->clear();
}

void LoginWindow::showError(const QString &text)
{
    setBusy(false);
    m_status->setText(text);
    m_password->setFocus();
}

void LoginWindow::tryLogIn()
{
    if (account().isEmpty()) {
        m_status->setText(QStringLiteral("请输入账号"));
        m_account->setFocus();
        return;
    }
    if (m_password->text().isEmpty()) {
        m_status->setText(QStringLiteral("请输入密码"));
        m_password->setFocus();
        return;
    }
    emit logInRequested();
}
