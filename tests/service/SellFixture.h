#pragma once
// The sell window on the sample restaurant at lunch time, with the gestures its
// tests repeat.
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "data/ReserveTestData.h"
#include "data/TableMgrUnit.h"
#include "frame/DialogScript.h"
#include "frame/TableMapUnit.h"
#include "service/SellUnit.h"
#include "service/TableSelecterUnit.h"

class SellFormTest : public ReserveDbTest {
protected:
    static constexpr int t101 = 1, t102 = 2, t103 = 3, t104 = 4, t105 = 5, peony = 7;
    static inline const TDateTime today = encodeDateTime(2024, 5, 10);

    void SetUp() override {
        ReserveDbTest::SetUp();
        setNowForTest(encodeDateTime(2024, 5, 10, 12, 0, 0));  // lunch
        form = new TsellForm;
        form->show();
    }
    void TearDown() override {
        delete form;
        clearNowForTest();
        ReserveDbTest::TearDown();
    }

    TTableItem* item(int tableId) { return form->findTableItem(tableId); }
    // Clicks (and double-clicks) a table on a map as the user does.
    static void clickOn(TTableListView* map, int tableId, bool twice = false) {
        QPoint p = map->mapFromContents(map->itemRect(map->findTableItem(tableId)).center());
        QTest::mouseClick(map->viewport(), Qt::LeftButton, {}, p);
        if (twice) QTest::mouseDClick(map->viewport(), Qt::LeftButton, {}, p);
    }
    void clickTable(int tableId) { clickOn(form->tableListView, tableId); }
    void doubleClickTable(int tableId) { clickOn(form->tableListView, tableId, true); }
    static void click(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
    static void fire(QTimer* timer) { QMetaObject::invokeMethod(timer, "timeout"); }

    // An instance written by another station (the cashier, another waiter).
    void addInstance(int id, int tableId, const QString& state, const QString& remark = QString()) {
        exec(QString("insert into table_instance(id,table_id,table_name,start_time,state,description) "
                     "select %1,id,table_name,%2,'%3','%4' from table_spec where id=%5")
                 .arg(id).arg(double(encodeDateTime(2024, 5, 10, 11, 5, 0)), 0, 'g', 17).arg(state, remark).arg(tableId));
    }
    void addLine(int id, int consultId, const QString& relaType, const QString& name) {
        exec(QString("insert into menu_instance(id,consult_id,rela_type,menu_name,price,quantity,state,serving,print_state) "
                     "values(%1,%2,'%3','%4',12.5,1,'MI001','MI004','MIP001')")
                 .arg(id).arg(consultId).arg(relaType, name));
    }
    // Picks a table in the table selector, as the user does, and confirms.
    static void pick(DialogScript& script, int floor, int tableId) {
        script.expect<TtableSelecterForm>([=](TtableSelecterForm* d) {
            d->setFloor(floor);
            clickOn(d->tableListView, tableId, true);
            click(d->confirmBtn);
        });
    }
    QString tableState(int tableId) { return TTableMgr::getTableState(tableId, lunch, today); }
    QString instanceState(int tableId) {
        return scalar(QString("select group_concat(state) from table_instance where table_id=%1").arg(tableId));
    }

    TsellForm* form = nullptr;
};

