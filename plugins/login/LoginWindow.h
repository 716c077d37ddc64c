#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;

// The small log-in window: account, password and the log-in button.
class LoginWindow : public QWidget
{
    Q_OBJECT
public:
    explicit LoginWindow(QWidget *parent = nullptr);

    void setAccount(const QString &account);

private:
    void tryLogin();

    QLineEdit *m_account;
    QLineEdit *m_password;
    QLabel *m_status;
};
