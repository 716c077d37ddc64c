#pragma once

#include "ui/FramePainter.h"

#include <QDialog>
#include <QString>
#include <QTimer>

class FrameMover;
class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class SystemSetData;

// The close confirmation: what closing the main window does (page 0), and which
// parts of a contact's removal go ahead (page 1).
class MainWindowWarn : public QDialog
{
    Q_OBJECT
public:
    enum Page { ClosePage = 0, RemovalPage = 1 };

    // Created on first use, hearing the contacts plug-in's "friend deleted".
    static MainWindowWarn *instance();
    explicit MainWindowWarn(SystemSetData *settings, QWidget *parent = nullptr);

    // Page 0 set from the stored choices; the main window then runs the dialog.
    void prepareClosePage();
    // Page 1 for a contact, shown at once.
    void showRemovalPage(const QString &jid);

    int page() const;
    QString removalJid() const { return m_jid; }
    bool removalPending() const { return !m_pendingJid.isEmpty(); }

signals:
    void signal_close();
    void signal_hide();

public slots:
    void slot_confirm();
    void slot_cancel();
    void slot_deleFriendSucceed(const QString &jid);
    void slot_showRecord();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildLayout();
    void arrange();
    void applySkin();
    void confirmClosePage();
    void confirmRemovalPage();
    bool finishPendingRemoval();
    void resetRemovalPage();

    SystemSetData *m_settings;
    FramePainter m_painter;
    FrameMover *m_mover = nullptr;
    QStackedWidget *m_pages = nullptr;
    QLabel *m_title = nullptr;
    QPushButton *m_closeButton = nullptr;
    QLabel *m_closeIcon = nullptr;
    QLabel *m_removalIcon = nullptr;
    QRadioButton *m_closeRadio = nullptr;
    QRadioButton *m_hideRadio = nullptr;
    QCheckBox *m_noAskBox = nullptr;
    QCheckBox *m_friendBox = nullptr;
    QCheckBox *m_recordsBox = nullptr;
    QPushButton *m_confirmButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QString m_jid;        // the contact page 1 asks about
    QString m_pendingJid; // friend and records removal confirmed, records still to go
    QTimer m_recordsTimer;
};
