#pragma once
#include <QList>
#include <QString>
#include <QStringList>

#include "platform/Messages.h"

// Answers message boxes in tests and records every one of them.
class ScriptedAnswerer {
public:
    void install();
    void uninstall();
    // Queues the answer for the next box; with an empty queue, Yes/Ok is given.
    void push(int answer) { queue << answer; }
    void clear() { seen.clear(); }
    QStringList texts() const;
    QString last() const { return seen.isEmpty() ? QString() : seen.last().text; }
    int count() const { return int(seen.size()); }
    bool contains(const QString& text) const { return texts().contains(text); }
    QList<MessageRequest> seen;
    QList<int> queue;
    // Boxes shown while the program's connection held a transaction open.
    QStringList shownInsideTransaction;
};
