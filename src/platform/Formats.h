#pragma once
#include <QString>

#include "platform/DateTime.h"

// Number and date formats as the screens and reports show them.
// formatFloat understands "0", "0.0", "0.00" ... and rounds half away from zero.
QString formatFloat(const QString& format, double value);
// The general form: up to 15 significant digits, point as separator (2.50 -> "2.5").
QString floatToStr(double value);
// Tokens: yyyy, MM or mm (month), dd, hh, nn (minutes), ss; anything else is copied.
QString formatDateTime(const QString& format, TDateTime value);

// Strict conversions of typed or scanned input: surrounding blanks are allowed,
// anything else that is not a number throws ConvertError naming the text.
int strToInt(const QString& text);
double strToFloat(const QString& text);
