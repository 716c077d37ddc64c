#pragma once

#include <QWidget>

struct Colleague;
class QLabel;

// A finished-looking card of one colleague: head, name, department, title, JID, signature.
class ProfileCard : public QWidget
{
    Q_OBJECT
public:
    explicit ProfileCard(QWidget *parent = nullptr);

    void setColleague(const Colleague &colleague);
    // A second line under the name (a call's state, for instance).
    void setStatus(const QString &text);
    void applySkin();

private:
    QLabel *m_head;
    QLabel *m_name;
    QLabel *m_status;
    QLabel *m_details;
};
