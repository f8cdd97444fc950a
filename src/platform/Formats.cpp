#include "platform/Formats.h"

#include <QByteArray>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "platform/Errors.h"

QString formatFloat(const QString& format, double value) {
    const int dot = format.indexOf('.');
    const int decimals = dot < 0 ? 0 : int(format.size() - dot - 1);
    if (!std::isfinite(value)) return QString::number(value, 'f', decimals);
    // Rounded on the value's decimal text at 15 significant digits, as it was typed:
    // 2.675 (stored as 2.67499999...) rounds up, and a rounding never depends on the
    // size of the value.
    char text[32];
    std::snprintf(text, sizeof text, "%.14e", std::fabs(value));  // d.dddddddddddddde+XX
    QByteArray digits = QByteArray(text, 1) + QByteArray(text + 2, 14);
    const int exponent = std::atoi(text + 17);
    // The digits that stay: those before the point and `decimals` after it.
    const int keep = exponent + 1 + decimals;
    if (keep < 0) {
        digits = "0";
    } else if (keep < digits.size()) {
        const bool up = digits[keep] >= '5';
        digits.truncate(keep);
        for (int i = keep - 1; up && i >= -1; --i) {
            if (i < 0) {
                digits.prepend('1');
            } else if (digits[i] == '9') {
                digits[i] = '0';
                continue;
            } else {
                ++digits[i];
            }
            break;
        }
    } else {
        digits.append(QByteArray(keep - digits.size(), '0'));
    }
    // `digits` is now the magnitude times 10^decimals, as an integer.
    if (digits.size() <= decimals) digits.prepend(QByteArray(decimals + 1 - digits.size(), '0'));
    const bool zero = digits.count('0') == digits.size();
    QString out = QString::fromLatin1(digits.left(digits.size() - decimals));
    while (out.size() > 1 && out[0] == '0') out.remove(0, 1);
    if (decimals > 0) out += '.' + QString::fromLatin1(digits.right(decimals));
    return value < 0 && !zero ? '-' + out : out;
}

QString floatToStr(double value) {
    if (value == 0) return QStringLiteral("0");
    return QString::number(value, 'g', 15);
}

QString formatDateTime(const QString& format, TDateTime value) {
    QDate d;
    QTime t;
    decodeDateTime(value, d, t);
    QString out;
    out.reserve(format.size() + 4);
    // Every statement with a time carries two of these: no text is built per letter.
    auto two = [&out](int v) {
        if (v >= 0 && v < 100) {
            out += QChar(u'0' + v / 10);
            out += QChar(u'0' + v % 10);
        } else {
            out += QString::number(v).rightJustified(2, '0');
        }
    };
    const QStringView f(format);
    for (qsizetype i = 0; i < f.size();) {
        const QStringView rest = f.mid(i);
        if (rest.startsWith(u"yyyy")) {
            out += QString::number(d.year()).rightJustified(4, '0');
            i += 4;
        } else if (rest.startsWith(u"MM") || rest.startsWith(u"mm")) {
            two(d.month());
            i += 2;
        } else if (rest.startsWith(u"dd")) {
            two(d.day());
            i += 2;
        } else if (rest.startsWith(u"hh")) {
            two(t.hour());
            i += 2;
        } else if (rest.startsWith(u"nn")) {
            two(t.minute());
            i += 2;
        } else if (rest.startsWith(u"ss")) {
            two(t.second());
            i += 2;
        } else {
            out += f[i];
            i += 1;
        }
    }
    return out;
}

int strToInt(const QString& text) {
    bool ok = false;
    qint64 v = text.trimmed().toLongLong(&ok);
    if (!ok || v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        throw ConvertError(QStringLiteral("'%1' 不是有效的整数").arg(text));
    return int(v);
}

double strToFloat(const QString& text) {
    bool ok = false;
    double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        throw ConvertError(QStringLiteral("'%1' 不是有效的数值").arg(text));
    return v;
}
