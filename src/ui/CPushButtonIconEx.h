#pragma once

#include "FadeButtonBase.h"

// An icon button that can stay selected: while checked it keeps the orange
// pressed background (tabs and toggles of the main window).
class CPushButtonIconEx : public FadeButtonBase
{
    Q_OBJECT
public:
    explicit CPushButtonIconEx(QWidget *parent = nullptr);

    void setIcon(const QString &quoted);
    void setCheckable(bool checkable);
    void setChecked(bool checked);
    bool isChecked() const { return m_checked; }

signals:
    void toggled(bool checked);

protected:
    void showPressed(bool pressed) override;

private:
    bool m_checkable = false;
    bool m_checked = false;
};
