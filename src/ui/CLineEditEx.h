#pragma once

#include <QLineEdit>

class QPushButton;

// The search field: borderless until hovered, a magnifier on the right that turns
// into a clear button once something is typed.
class CLineEditEx : public QLineEdit
{
    Q_OBJECT
public:
    explicit CLineEditEx(QWidget *parent = nullptr);

    static QString searchImage();
    static QString clearImage();
    // The picture the button shows now (a quoted path).
    QString buttonImage() const { return m_image; }

public slots:
    void slot_changeSearchBtnImg(const QString &text);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QPushButton *m_searchButton;
    QString m_image;
};
