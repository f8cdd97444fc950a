#pragma once
#include <QString>

// Issues the ids of every table from the `sequence` table.
class TSequenceMgr {
public:
    // The id to use for a new row, or 0 (after a message) when none could be issued.
    int getNextValue(const QString& key);
    // `count` consecutive ids drawn at once: the first of them, or 0 as above.
    int getNextValues(const QString& key, int count);
};
