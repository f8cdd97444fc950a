#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "data/DatabaseCtrlUnit.h"

// Runs the statement built in ctrl; a failure shows the message and gives false.
bool execOrShow(TDatabaseCtrl& ctrl, const QString& failureMessage);

// A statement of a batch and the number of rows it must change (-1: any). A
// statement conditioned on the state it changes from changes none when another
// station got there first.
struct CheckedSQL {
    QString text;  // with its :names where values are given
    int rows = -1;
    // The values set for the text's :names; without any the text runs as it is.
    std::vector<TDatabaseCtrl::Parameter> values = {};
};

// The statement built in ctrl, its values kept apart from the text: compiled once
// per connection and run with its values bound, or with the finished text where
// only that means the same.
CheckedSQL withValues(const TDatabaseCtrl& ctrl, int rows = -1);

enum class WriteOutcome { Done, Failed, Refused };

// Runs the statements in one transaction of the shared connection or, when the
// caller already holds one, in a savepoint of it, so that a failure undoes this
// batch only and never the caller's own writes. A statement changing another
// number of rows than it must, or `check` (run after the statements) returning
// false, rolls back: Refused. Any failure rolls back: Failed. Shows nothing, so
// that no message box waits for an answer while the write lock is held.
WriteOutcome runWriteBatch(TDatabaseCtrl& ctrl, const QList<CheckedSQL>& statements,
                           const std::function<bool()>& check = {});

// The same for statements that may change any number of rows. A failure shows
// the message (after the rollback) and gives false; a refusal by `check` gives
// false and shows nothing: the caller brings its own message.
bool executeInTransaction(TDatabaseCtrl& ctrl, const QStringList& texts, const QString& failureMessage,
                          const std::function<bool()>& check = {});
bool executeInTransaction(TDatabaseCtrl& ctrl, const QList<CheckedSQL>& statements, const QString& failureMessage,
                          const std::function<bool()>& check = {});
// The same on a helper of its own.
bool executeInTransaction(const QStringList& texts, const QString& failureMessage);

// Shown when a conditioned write finds the table instance no longer as the
// caller saw it.
extern const QString staleTableMessage;

// Runs the batch; shows the failure message or, on a refusal, the stale one.
bool executeChecked(TDatabaseCtrl& ctrl, const QList<CheckedSQL>& statements, const QString& failureMessage,
                    const QString& refusedMessage = staleTableMessage, const std::function<bool()>& check = {});

// First column of the first row of a query as an integer; 0 when there is no row.
// Failures reach the caller.
int firstInteger(const QString& sql);
