#include "frame/CallerLineUnit.h"

namespace {
// A modem that never ends a line must not make the buffer grow without bound.
const int maxPending = 4096;

bool isLineEnd(QChar c) {
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

QString trimmedOfControls(const QString& text) {
    int from = 0;
    int to = text.size();
    while (from < to && text.at(from) <= QLatin1Char(' '))
        ++from;
    while (to > from && text.at(to - 1) <= QLatin1Char(' '))
        --to;
    return text.mid(from, to - from);
}

// A caller-ID line is a tag, optional blanks, "=", optional blanks and the value, so
// "NMBR = 8475550001" and "NMBR=8475550001" both carry a number; other tags ending
// in NMBR (the dialled number) do not. "P" (private) and "O" (unavailable) are no number.
bool callerNumberOf(const QString& line, QString& number) {
    const int equals = line.indexOf(QLatin1Char('='));
    if (equals < 0 || trimmedOfControls(line.left(equals)) != QLatin1String("NMBR"))
        return false;
    number = trimmedOfControls(line.mid(equals + 1));
    if (number == QLatin1String("P") || number == QLatin1String("O"))
        number.clear();
    return true;
}
}  // namespace

TCallerLineBuffer::Result TCallerLineBuffer::feed(const QString& received) {
    Result result;
    rest += received;
    int start = 0;
    for (int i = 0; i < rest.size(); ++i) {
        if (!isLineEnd(rest.at(i)))
            continue;
        const QString line = rest.mid(start, i - start);
        start = i + 1;
        if (line.contains(QLatin1String("RING")))
            result.ring = true;
        QString number;
        if (callerNumberOf(line, number)) {
            result.hasNumber = true;
            result.number = number;
        }
    }
    rest.remove(0, start);
    if (rest.size() > maxPending)
        rest = rest.right(maxPending);
    return result;
}
