#pragma once
#include <QChar>
#include <QImage>
#include <QString>

class QLineEdit;
class QRect;
class QScreen;

// The screen's free area less room for the frame and title bar a desktop puts around
// a window: where a window's own area may lie with all of the window on the screen.
QRect roomForWindow(const QScreen* screen);

// Key filter of the quantity and amount edits: backspace, digits, and one point.
bool isNumberKey(const QString& text, QChar key);
// Puts that filter on an edit: what is typed or pasted must pass isNumberKey character
// by character, so no sign, letter or second point gets in either way.
void useNumberKeys(QLineEdit* edit);

// The 95-module EAN-13 pattern ("1" bar, "0" space) of 13 digits; leading blanks are
// ignored; any other input leaves `pattern` empty, and a non-digit also throws SystemError.
void encodeEAN13(const QString& digits, QString& pattern);

// Draws the bars (x from 10, 50 px high, guards 60 px) and the digits onto the image.
QImage& drawEAN13(const QString& pattern, const QString& digits, QImage& image);
