#pragma once
#include <QString>
#include <QStringList>
#include <functional>

class TDatabaseCtrl;

// Runs the statement built in ctrl; a failure shows the message and gives false.
bool execOrShow(TDatabaseCtrl& ctrl, const QString& failureMessage);

// Runs the finished texts in one transaction of the shared connection. A failure
// rolls everything back, shows the message and gives false. `check`, when given,
// runs after the texts, inside the transaction: returning false rolls back
// without the message, for refusals that bring their own.
bool executeInTransaction(TDatabaseCtrl& ctrl, const QStringList& texts, const QString& failureMessage,
                          const std::function<bool()>& check = {});
// The same on a helper of its own.
bool executeInTransaction(const QStringList& texts, const QString& failureMessage);

// First column of the first row of a query as an integer; 0 when there is no row.
// Failures reach the caller.
int firstInteger(const QString& sql);
