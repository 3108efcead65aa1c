#pragma once
// Pictures of the document editors: the banner across the top, the small tool icons and
// the pictures of the OK, delete and cancel buttons and of the choosers.

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace tev {

// The banner file drawn into a band width pixels wide: the picture on the left, its last
// column of pixels carried on to the right edge. A missing or unreadable file gives a
// plain blue band with fallbackTitle written on it, so the window still names the kind.
QPixmap BannerBand(const QString& path, int width, int height, const QString& fallbackTitle);

enum class EditorIcon { Printer, Tool, Ok, Delete, Cancel, Sell, Buy, Income, Expense };
// Icons drawn in code; size is the edge in pixels.
QIcon DrawEditorIcon(EditorIcon kind, int size = 24);

} // namespace tev
