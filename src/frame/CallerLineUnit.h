#pragma once
#include <QString>
#include <QStringList>

// Splits what the caller-ID modem sends into lines (CR and/or LF end a line), so
// that a number split over two reads, or several lines in one read, come out whole.
class TCallerLineBuffer {
public:
    struct Result {
        bool ring = false;       // a complete line held "RING"
        bool hasNumber = false;  // a complete "NMBR" line arrived
        QString number;          // its number, trimmed (the last one of the batch); empty when withheld
    };
    // Feeds one read; reports what the complete lines of it (with earlier leftovers) held.
    Result feed(const QString& received);
    QString pending() const { return rest; }

private:
    QString rest;
};
