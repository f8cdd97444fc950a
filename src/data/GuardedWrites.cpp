#include "data/GuardedWrites.h"

#include <memory>

#include "data/DatabaseCtrlUnit.h"
#include "platform/Messages.h"

const QString staleTableMessage = QStringLiteral("台桌状态已变化，请刷新后重试！");

CheckedSQL withValues(const TDatabaseCtrl& ctrl, int rows) { return CheckedSQL{ctrl.text(), rows, ctrl.values()}; }

bool execOrShow(TDatabaseCtrl& ctrl, const QString& failureMessage) {
    try {
        ctrl.execSQL();
    } catch (const std::exception&) {
        showMessage(failureMessage);
        return false;
    }
    return true;
}

namespace {
// Begins a transaction, or a savepoint inside the caller's, and ends it.
class WriteScope {
public:
    explicit WriteScope(TDatabaseCtrl& c) : ctrl(c), nested(c.inTransaction()) {
        if (nested) {
            savepoint = QStringLiteral("guarded_write_%1").arg(depth + 1);
            ctrl.execute("SAVEPOINT " + savepoint);
            ++depth;
        } else {
            ctrl.beginTrans();
        }
    }
    ~WriteScope() {
        if (nested) --depth;
    }
    void commit() {
        if (nested)
            ctrl.execute("RELEASE " + savepoint);
        else
            ctrl.commitTrans();
    }
    // The failure being reported matters more than a failed rollback.
    void rollbackQuietly() {
        try {
            if (nested)
                ctrl.execute("ROLLBACK TO " + savepoint + "; RELEASE " + savepoint);
            else
                ctrl.rollbackTrans();
        } catch (const std::exception&) {
        }
    }

private:
    static inline int depth = 0;
    TDatabaseCtrl& ctrl;
    bool nested;
    QString savepoint;
};
}  // namespace

WriteOutcome runWriteBatch(TDatabaseCtrl& ctrl, const QList<CheckedSQL>& statements,
                           const std::function<bool()>& check) {
    std::unique_ptr<WriteScope> scope;
    try {
        scope = std::make_unique<WriteScope>(ctrl);
        for (const CheckedSQL& s : statements) {
            int changed = 0;
            if (s.values.empty()) {
                changed = ctrl.execute(s.text);
            } else {
                ctrl.setSQL(s.text, s.values);
                changed = ctrl.execSQL();
            }
            if (s.rows >= 0 && changed != s.rows) {
                scope->rollbackQuietly();
                return WriteOutcome::Refused;
            }
        }
        if (check && !check()) {
            scope->rollbackQuietly();
            return WriteOutcome::Refused;
        }
        scope->commit();
    } catch (const std::exception&) {
        if (scope) scope->rollbackQuietly();
        return WriteOutcome::Failed;
    }
    return WriteOutcome::Done;
}

namespace {
QList<CheckedSQL> unchecked(const QStringList& texts) {
    QList<CheckedSQL> list;
    for (const QString& t : texts) list << CheckedSQL{t};
    return list;
}
}  // namespace

bool executeInTransaction(TDatabaseCtrl& ctrl, const QStringList& texts, const QString& failureMessage,
                          const std::function<bool()>& check) {
    return executeInTransaction(ctrl, unchecked(texts), failureMessage, check);
}

bool executeInTransaction(TDatabaseCtrl& ctrl, const QList<CheckedSQL>& statements, const QString& failureMessage,
                          const std::function<bool()>& check) {
    WriteOutcome outcome = runWriteBatch(ctrl, statements, check);
    if (outcome == WriteOutcome::Failed) showMessage(failureMessage);
    return outcome == WriteOutcome::Done;
}

bool executeInTransaction(const QStringList& texts, const QString& failureMessage) {
    TDatabaseCtrl ctrl;
    return executeInTransaction(ctrl, texts, failureMessage);
}

bool executeChecked(TDatabaseCtrl& ctrl, const QList<CheckedSQL>& statements, const QString& failureMessage,
                    const QString& refusedMessage, const std::function<bool()>& check) {
    WriteOutcome outcome = runWriteBatch(ctrl, statements, check);
    if (outcome == WriteOutcome::Failed) showMessage(failureMessage);
    if (outcome == WriteOutcome::Refused) showMessage(refusedMessage);
    return outcome == WriteOutcome::Done;
}

int firstInteger(const QString& sql) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL(sql);
    ctrl.open();
    return ctrl.eof() ? 0 : ctrl.fields(0).asInteger();
}
