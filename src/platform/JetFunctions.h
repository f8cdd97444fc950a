#pragma once
#include <QString>

struct sqlite3;

// The SQL the database file needs beyond plain SQLite: the Jet date functions the
// statements use and the collation "zh" its name columns declare. Compiled into
// the program and, a second time, into the loadable extension that lets the
// sqlite3 shell open the file.

// Registers DateValue, TimeValue, cdate and the collation "zh" on a handle.
void registerJetFunctions(sqlite3* db);
// The value of the literal DateValue('<dateText>')+TimeValue('<timeText>'), as the
// registered functions compute it; false when they would refuse the texts.
bool jetDateTimeValue(const QString& dateText, const QString& timeText, double& value);
// A number that changes whenever the "zh" collation may order names differently
// (another Qt, ICU or Unicode version); a file made under another one is reindexed.
int collationVersion();
