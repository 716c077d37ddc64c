#pragma once

#include <QLabel>

// A friend label (tag): white text on one of five rounded colour chips.
class singleLabel : public QLabel
{
    Q_OBJECT
public:
    explicit singleLabel(QWidget *parent = nullptr);

    static QStringList colours();
    // Any index; it wraps around the five colours.
    void setColourIndex(int index);
    int colourIndex() const { return m_index; }

private:
    int m_index = 0;
};
