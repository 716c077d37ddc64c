#include "LoginWindow.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

LoginWindow::LoginWindow(QWidget *parent)
    : QWidget(parent)
    , m_account(new QLineEdit)
    , m_password(new QLineEdit)
    , m_status(new QLabel)
{
    setObjectName(QStringLiteral("LoginWindow"));
    setWindowTitle(QStringLiteral("Lumio"));
    setFixedSize(320, 220);

    m_account->setPlaceholderText(QStringLiteral("账号"));
    m_password->setPlaceholderText(QStringLiteral("密码"));
    m_password->setEchoMode(QLineEdit::Password);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("账号"), m_account);
    form->addRow(QStringLiteral("密码"), m_password);

    auto *login = new QPushButton(QStringLiteral("登录"));
    login->setDefault(true);
    connect(login, &QPushButton::clicked, this, &LoginWindow::tryLogin);

    auto *layout = new QVBoxLayout(this);
    auto *title = new QLabel(QStringLiteral("Lumio"));
    title->setAlignment(Qt::AlignCenter);
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 8);
    title->setFont(big);
    layout->addWidget(title);
    layout->addLayout(form);
    layout->addWidget(login);
    layout->addWidget(m_status);
}

void LoginWindow::setAccount(const QString &account)
{
    m_account->setText(account);
    m_password->setFocus();
}

void LoginWindow::tryLogin()
{
    if (m_account->text().trimmed().isEmpty()) {
        m_status->setText(QStringLiteral("请输入账号"));
        m_account->setFocus();
        return;
    }
    // No server is reachable from the reference plug-in.
    m_status->setText(QStringLiteral("无法连接服务器"));
}
