#include "data/SequenceMgrUnit.h"

#include "data/DatabaseCtrlUnit.h"
#include "platform/Errors.h"
#include "platform/Messages.h"

int TSequenceMgr::getNextValue(const QString& key) { return getNextValues(key, 1); }

int TSequenceMgr::getNextValues(const QString& key, int count) {
    if (count < 1) return 0;
    TDatabaseCtrl ctrl;
    // Read and increment in one statement: two programs on one file can never be
    // handed the same id, and a failed increment hands out nothing.
    try {
        ctrl.clearSQL();
        // All the ids of one action in one statement, so one commit.
        ctrl.setSQL("update sequence set seq_value=(seq_value+:count) where name=:name returning seq_value-:count as seq_value");
        ctrl.setParameter("count", count);
        ctrl.setParameter("name", key);
        ctrl.open();
        if (ctrl.eof()) {
            showMessage("没有找到(" + key + ")！");
            return 0;
        }
        AdoField field = ctrl.fieldByName("seq_value");
        // A counter without a value cannot hand out an id: 0 would clash.
        if (field.isNull()) throw DatabaseError(QStringLiteral("sequence的seq_value为空"));
        int value = field.asInteger();
        ctrl.close();
        return value;
    } catch (const std::exception&) {
        showMessage("获得(" + key + ")值出现异常！");
        return 0;
    }
}
