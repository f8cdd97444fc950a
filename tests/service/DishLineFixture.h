#pragma once
#include "support/TestDatabase.h"

// The sample restaurant with table instances and dish lines written straight into
// the database, in the states a test needs; over a fixture of the frame when a test
// needs the main window.
template <class Base>
class WithDishLines : public Base {
protected:
    void addTableIns(int id, const QString& tableName) {
        this->exec(QStringLiteral("insert into table_instance(id,table_id,table_name,state) values(%1,7,'%2','TIS001')")
                 .arg(id)
                 .arg(tableName));
    }
    // A dish line of 宫保鸡丁-like values; owner, states and printer as given.
    void addLine(int id, int consultId, const QString& states, const QString& dish = QStringLiteral("宫保鸡丁"),
                 const QString& printerCode = QStringLiteral("P001"), const QString& relaType = QStringLiteral("MIR003")) {
        const QStringList s = states.split('/');  // print state / serving / state
        this->exec(QStringLiteral("insert into menu_instance(id,consult_id,rela_type,menu_id,menu_name,price,quantity,unit,"
                            "state,rebate,serving,printer_code,print_state,description) values(%1,%2,'%3',1,'%4',12.5,2,"
                            "'份','%5',10,'%6','%7','%8','少辣')")
                 .arg(id)
                 .arg(consultId)
                 .arg(relaType, dish, s[2], s[1], printerCode, s[0]));
    }
    QString lineField(int id, const QString& column) {
        return this->scalar(QStringLiteral("select %1 from menu_instance where id=%2").arg(column).arg(id));
    }
};
using DishLineTest = WithDishLines<SampleDbTest>;
