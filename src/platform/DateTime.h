#pragma once
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

// A date-time as the database stores it: days since 30 December 1899, the time of
// day as the fraction. A class rather than a bare double so that SQL substitution
// can tell a date-time from a float.
class TDateTime {
public:
    constexpr TDateTime(double v = 0.0) : val(v) {}
    constexpr operator double() const { return val; }
    double val;
};

// The one way to build a date-time: day number plus seconds/86400. The SQL functions
// DateValue/TimeValue compute exactly the same sum, so literals compare equal.
TDateTime encodeDateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
TDateTime encodeTime(int hour, int minute, int second);
TDateTime fromQDate(const QDate& d);
TDateTime fromQDateTime(const QDateTime& dt);
TDateTime fromQTime(const QTime& t);
double dayNumber(const QDate& d);
// Decoding rounds to the nearest second, or 13:05:09 would come back as 13:05:08.
void decodeDateTime(TDateTime v, QDate& date, QTime& time);
QDate toQDate(TDateTime v);
QTime toQTime(TDateTime v);
QDateTime toQDateTime(TDateTime v);
TDateTime dateOf(TDateTime v);  // midnight of the same day
TDateTime timeOf(TDateTime v);  // the time of day on 30 December 1899

// The replaceable clock: every reading of "now" goes through here.
TDateTime Now();
TDateTime Date();  // today at 00:00:00
TDateTime Time();  // the current time of day
void setNowForTest(TDateTime fixed);
void clearNowForTest();
