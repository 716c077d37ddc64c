#pragma once

#include <QFont>
#include <QString>

// The application font and the icon font of buttons and menus.
class AppFonts
{
public:
    static QFont applicationFont();
    // Registers the icon font file; returns its family, or an empty string.
    static QString installIconFont(const QString &fontFile);
    static QFont iconFont(const QString &family);
};
