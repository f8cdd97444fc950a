#include "platform/DateTime.h"

#include <cmath>
#include <optional>

namespace {
// A function, not a global: records built during static initialisation need it too.
const QDate& epoch() {
    static const QDate d(1899, 12, 30);
    return d;
}
std::optional<TDateTime> fixedNow;
}

double dayNumber(const QDate& d) { return static_cast<double>(epoch().daysTo(d)); }

TDateTime encodeTime(int hour, int minute, int second) {
    return TDateTime((hour * 3600 + minute * 60 + second) / 86400.0);
}

TDateTime encodeDateTime(int year, int month, int day, int hour, int minute, int second) {
    return TDateTime(dayNumber(QDate(year, month, day)) + encodeTime(hour, minute, second).val);
}

TDateTime fromQDate(const QDate& d) { return TDateTime(dayNumber(d)); }

TDateTime fromQTime(const QTime& t) { return encodeTime(t.hour(), t.minute(), t.second()); }

TDateTime fromQDateTime(const QDateTime& dt) {
    return TDateTime(dayNumber(dt.date()) + fromQTime(dt.time()).val);
}

void decodeDateTime(TDateTime v, QDate& date, QTime& time) {
    double days = std::floor(v.val);
    long long secs = std::llround((v.val - days) * 86400.0);
    if (secs >= 86400) {
        days += 1;
        secs -= 86400;
    }
    date = epoch().addDays(static_cast<qint64>(days));
    time = QTime(int(secs / 3600), int(secs / 60 % 60), int(secs % 60));
}

QDate toQDate(TDateTime v) {
    QDate d;
    QTime t;
    decodeDateTime(v, d, t);
    return d;
}

QTime toQTime(TDateTime v) {
    QDate d;
    QTime t;
    decodeDateTime(v, d, t);
    return t;
}

QDateTime toQDateTime(TDateTime v) {
    QDate d;
    QTime t;
    decodeDateTime(v, d, t);
    return QDateTime(d, t);
}

TDateTime dateOf(TDateTime v) { return fromQDate(toQDate(v)); }

TDateTime timeOf(TDateTime v) { return fromQTime(toQTime(v)); }

TDateTime Now() {
    if (fixedNow) return *fixedNow;
    return fromQDateTime(QDateTime::currentDateTime());
}

TDateTime Date() { return dateOf(Now()); }

TDateTime Time() { return timeOf(Now()); }

void setNowForTest(TDateTime fixed) { fixedNow = fixed; }

void clearNowForTest() { fixedNow.reset(); }
