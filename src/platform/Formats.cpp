#include "platform/Formats.h"

#include <cmath>
#include <limits>

#include "platform/Errors.h"

QString formatFloat(const QString& format, double value) {
    int dot = format.indexOf('.');
    int decimals = dot < 0 ? 0 : int(format.size() - dot - 1);
    double scale = std::pow(10.0, decimals);
    // A tiny nudge so that 2.675 (stored as 2.67499999...) still rounds up as typed.
    double scaled = std::fabs(value) * scale;
    double rounded = std::floor(scaled + 0.5 + scaled * 1e-14) / scale;
    if (value < 0 && rounded != 0) rounded = -rounded;
    return QString::number(rounded, 'f', decimals);
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
