#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The log-in window: account, password, presence, remember and auto-login.
class LoginWindow : public QWidget
{
    Q_OBJECT
public:
    explicit LoginWindow(QWidget *parent = nullptr);

    void setAccount(const QString &account);
    QString account() const;
    // Read once per attempt; the field is cleared as soon as the attempt starts.
    QString takePassword();
    int presenceCode() const;
    bool remember() const;
    bool autoLogin() const;
    void setRemember(bool remember);
    void setAutoLogin(bool autoLogin);

    void setBusy(bool busy);
    void showError(const QString &text);
    void applySkin();

signals:
    void logInRequested();

private:
    void tryLogIn();
    void refreshHead();

    QLabel *m_head;
    QComboBox *m_account;
    QLineEdit *m_password;
    QComboBox *m_presence;
    QCheckBox *m_remember;
    QCheckBox *m_autoLogin;
    QPushButton *m_logIn;
    QLabel *m_status;
};
