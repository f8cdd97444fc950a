#include "data/GuardedWrites.h"

#include "data/DatabaseCtrlUnit.h"
#include "platform/Messages.h"

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
void rollbackQuietly(TDatabaseCtrl& ctrl) {
    // The failure being reported matters more than a failed rollback.
    try {
        ctrl.rollbackTrans();
    } catch (const std::exception&) {
    }
}
}  // namespace

bool executeInTransaction(TDatabaseCtrl& ctrl, const QStringList& texts, const QString& failureMessage,
                          const std::function<bool()>& check) {
    try {
        ctrl.beginTrans();
        for (const QString& text : texts) ctrl.execute(text);
        if (check && !check()) {
            rollbackQuietly(ctrl);
            return false;
        }
        ctrl.commitTrans();
    } catch (const std::exception&) {
        rollbackQuietly(ctrl);
        showMessage(failureMessage);
        return false;
    }
    return true;
}

bool executeInTransaction(const QStringList& texts, const QString& failureMessage) {
    TDatabaseCtrl ctrl;
    return executeInTransaction(ctrl, texts, failureMessage);
}

int firstInteger(const QString& sql) {
    TDatabaseCtrl ctrl;
    ctrl.clearSQL();
    ctrl.setSQL(sql);
    ctrl.open();
    return ctrl.eof() ? 0 : ctrl.fields(0).asInteger();
}
