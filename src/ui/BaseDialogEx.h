#pragma once

#include "FramePainter.h"

#include <QDialog>

class FrameMover;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTextBrowser;
class QTextEdit;

// The shell's message dialog: a framed window with one of four layouts (message,
// one-line input, long text, multi-line input), an optional icon and a chosen set
// of buttons. exec() returns 0 cancelled or closed, 1 OK, 2 ignored, 3 OK with the
// check box ticked.
class BaseDialogEx : public QDialog
{
    Q_OBJECT
public:
    enum Kind { Message = 180, LineInput = 200, LongText = 260, TextInput = 275 };
    enum Button { MinButton = 1, CloseButton = 2, OkButton = 4, CancelButton = 8, IgnoreButton = 16, CheckBox = 32 };
    enum Icon { NoIcon = 0, FailIcon = 1, InfoIcon = 2, QuestionIcon = 3, SuccessIcon = 4, WarningIcon = 5 };
    enum Result { Cancelled = 0, Accepted = 1, Ignored = 2, AcceptedChecked = 3 };

    BaseDialogEx(QWidget *parent, const QString &title, const QString &message, int kind,
                 int buttons, int icon);

    // The input layouts' starting text (selected) and the hint under the field.
    void setDefaultInput(const QString &text);
    void setHintText(const QString &text);
    void setCheckBoxText(const QString &text);
    void setButtonTexts(const QString &ok, const QString &cancel, const QString &ignore = QString());
    // What the user typed, set by OK.
    QString typedText() const { return m_typedText; }
    QString message() const { return m_message; }
    int kind() const { return m_kind; }
    // The style of an icon kind, empty for 0 and above 5.
    static QString iconStyle(int icon);
    static QString logoPicture();

signals:
    void signal_OkBtnClicked();
    void signal_CancleBtnClicked();
    void signal_CloseBtnClicked();

public slots:
    void slot_Min();
    void slot_Close();
    void slot_Ok();
    void slot_Cancle();
    void slot_Ignore();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void buildWidgets();
    void applyKind();
    void applyIcon(int icon);
    void applyButtons(int buttons);
    void arrange();
    void alignMessage();

    QString m_title;
    QString m_message;
    QString m_defaultInput;
    QString m_hintText;
    QString m_typedText;
    int m_kind;
    FramePainter m_painter;
    FrameMover *m_mover = nullptr;

    QLabel *m_titleLabel = nullptr;
    QPushButton *m_minButton = nullptr;
    QPushButton *m_closeButton = nullptr;
    QLabel *m_iconLabel = nullptr;
    QStackedWidget *m_pages = nullptr;
    QLabel *m_messageLabel = nullptr;
    QLabel *m_inputLabel = nullptr;
    QLineEdit *m_lineEdit = nullptr;
    QLabel *m_hintLabel = nullptr;
    QTextBrowser *m_browser = nullptr;
    QLabel *m_textInputLabel = nullptr;
    QTextEdit *m_textEdit = nullptr;
    QCheckBox *m_checkBox = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QPushButton *m_ignoreButton = nullptr;
};
