#pragma once
#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>

#include "data/ReserveTestData.h"
#include "frame/FrameFixture.h"
#include "frame/MenuButtonUnit.h"
#include "frame/MenuInsGridUnit.h"
#include "frame/MenuTypeButtonUnit.h"
#include "frame/ReservePanelUnit.h"
#include "frame/ReserveViewAreaUnit.h"
#include "frame/TableBatchGridUnit.h"
#include "service/CarteUnit.h"
#include "service/GridGestures.h"
#include "service/MenuInsUnit.h"

// The sample restaurant, with the gestures the service windows' tests repeat; the
// clock a test fixes is freed after it.
class ServiceTest : public FrameTest {
protected:
    void TearDown() override {
        clearNowForTest();
        FrameTest::TearDown();
    }
    using FrameTest::choose;
    // Picks an item by the arrow keys, as a person would.
    static void choose(QComboBox* box, const QString& text) {
        const int target = box->findText(text);
        ASSERT_GE(target, 0) << text.toStdString();
        box->setFocus();
        while (box->currentIndex() != target)
            QTest::keyClick(box, box->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
    }
};

// Lunch on 2024-05-10, with table instances and dish lines written by another
// station (the cashier, another waiter).
class LunchTest : public WithReserveRows<ServiceTest> {
protected:
    static constexpr int t101 = 1, t102 = 2, t103 = 3, t104 = 4, t105 = 5, t106 = 6, peony = 7;
    static inline const TDateTime today = encodeDateTime(2024, 5, 10);

    void SetUp() override {
        WithReserveRows<ServiceTest>::SetUp();
        setNowForTest(encodeDateTime(2024, 5, 10, 12, 0, 0));
    }
    void addInstance(int id, int tableId, const QString& state, const QString& remark = QString()) {
        exec(QString("insert into table_instance(id,table_id,table_name,start_time,state,description) "
                     "select %1,id,table_name,%2,'%3','%4' from table_spec where id=%5")
                 .arg(id).arg(double(encodeDateTime(2024, 5, 10, 11, 5, 0)), 0, 'g', 17).arg(state, remark).arg(tableId));
    }
    // An unserved, unprinted line unless said otherwise.
    void addLine(int id, int consultId, const QString& relaType, const QString& name, double price = 12.5,
                 double quantity = 1, const QString& state = "MI001", const QString& serving = "MI004") {
        exec(QString("insert into menu_instance(id,consult_id,rela_type,menu_name,price,quantity,state,serving,print_state) "
                     "values(%1,%2,'%3','%4',%5,%6,'%7','%8','MIP001')")
                 .arg(id).arg(consultId).arg(relaType, name).arg(price).arg(quantity).arg(state, serving));
    }
    // The cashier at another station settles the instance: an order of its billable
    // lines as they are now.
    void checkOutElsewhere(int tableInsId, int orderId) {
        exec(QString("insert into o_order(id,price,price1,price2,state) select %1,t,t,t,'ORD001' from (select "
                     "ifnull(sum(price*quantity),0) t from menu_instance where rela_type='MIR003' and consult_id=%2 "
                     "and state='MI001'); update table_instance set state='TIS002',order_id=%1 where id=%2")
                 .arg(orderId).arg(tableInsId));
    }
    // Each order's stored total beside the total of its billable lines now.
    QStringList billsAgainstLines() {
        return rows("select o.id||': '||o.price||' / '||ifnull((select sum(m.price*m.quantity) from table_instance t "
                    "join menu_instance m on m.consult_id=t.id and m.rela_type='MIR003' and m.state='MI001' "
                    "where t.order_id=o.id),0) from o_order o order by o.id");
    }
};
