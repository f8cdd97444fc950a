#pragma once
// The sell window on the sample restaurant at lunch time, with the gestures its
// tests repeat.
#include <QTimer>

#include "data/TableMgrUnit.h"
#include "service/SellUnit.h"
#include "service/ServiceFixture.h"
#include "service/TableSelecterUnit.h"

class SellFormTest : public LunchTest {
protected:
    void SetUp() override {
        LunchTest::SetUp();
        form = new TsellForm;
        form->show();
    }
    void TearDown() override {
        delete form;
        LunchTest::TearDown();
    }

    TTableItem* item(int tableId) { return form->findTableItem(tableId); }
    void clickTable(int tableId) { clickOnMap(form->tableListView, tableId); }
    void doubleClickTable(int tableId) { clickOnMap(form->tableListView, tableId, true); }
    static void fire(QTimer* timer) { QMetaObject::invokeMethod(timer, "timeout"); }
    // Runs the command that asks for a table, picking that one in the table selector.
    static void picking(int floor, int tableId, const std::function<void()>& command) {
        DialogScript script;
        script.expect<TtableSelecterForm>([=](TtableSelecterForm* d) {
            d->setFloor(floor);
            clickOnMap(d->tableListView, tableId, true);
            click(d->confirmBtn);
        });
        command();
    }
    QString tableState(int tableId) { return TTableMgr::getTableState(tableId, lunch, today); }
    QString instanceState(int tableId) {
        return scalar(QString("select group_concat(state) from table_instance where table_id=%1").arg(tableId));
    }

    TsellForm* form = nullptr;
};
