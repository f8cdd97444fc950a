#pragma once
#include <QPixmap>

// Pictures drawn in code, so the program ships no image files.
enum class ToolImage { SwitchUser = 0, Lock = 1, Key = 2, WebPage = 3 };

// A 30 x 30 tool-bar picture.
QPixmap toolBarImage(ToolImage image);

// The emblem at the left of the about box (a grain ear in a round badge), size x size.
QPixmap aboutEmblem(int size);
