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
        const int at = line.indexOf(QLatin1String("NMBR="));
        if (at >= 0) {
            result.hasNumber = true;
            result.number = trimmedOfControls(line.mid(at + 5));
        }
    }
    rest.remove(0, start);
    if (rest.size() > maxPending)
        rest = rest.right(maxPending);
    return result;
}
