#pragma once
#include <QColor>
#include <QList>
#include <QPair>
#include <QPixmap>
#include <QString>

// Pictures drawn in code, so the program ships no image files.
enum class ToolImage { SwitchUser = 0, Lock = 1, Key = 2, WebPage = 3 };

// A 30 x 30 tool-bar picture.
QPixmap toolBarImage(ToolImage image);

// The emblem at the left of the about box (a grain ear in a round badge), size x size.
QPixmap aboutEmblem(int size);

// The colours of a table icon on a floor plan.
enum class TableIcon { White = 0, Blue = 1, Green = 2, Red = 3, Grey = 4 };
QColor tableIconColour(TableIcon icon);
// A table with four chairs seen from above, 53 x 39, its top in the icon's colour.
QPixmap tableIconImage(TableIcon icon);

// A row of labelled colour swatches (a map legend) of the given size.
QPixmap swatchLegend(const QList<QPair<QColor, QString>>& entries, QSize size, const QColor& textColour);
