#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include "backoffice/TableAttribUnit.h"
#include "backoffice/TableManageUnit.h"
#include "frame/FloorButtonsUnit.h"
#include "frame/FrameFixture.h"
#include "frame/TableMapUnit.h"

namespace {
class TableManageTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        form = new TtableManageForm;
        form->resize(800, 600);
        form->show();
        plan = form->tableListView;
    }
    TTableItem* item(int tableId) { return plan->findTableItem(tableId); }
    QString position(int tableId) { return scalar(QString("select X||','||Y from table_spec where id=%1").arg(tableId)); }
    // Points are in plan coordinates; the plan is not scrolled here.
    void press(QPoint at) { QTest::mousePress(plan->viewport(), Qt::LeftButton, {}, plan->mapFromContents(at)); }
    void drag(QPoint from, QPoint to) {
        press(from);
        QTest::mouseMove(plan->viewport(), plan->mapFromContents((from + to) / 2));
        QTest::mouseMove(plan->viewport(), plan->mapFromContents(to));
        QTest::mouseRelease(plan->viewport(), Qt::LeftButton, {}, plan->mapFromContents(to));
    }
    // Opens the popup menu at the point (right-click) and triggers one of its commands.
    void popup(QPoint at, QAction* command) {
        QTest::mousePress(plan->viewport(), Qt::RightButton, {}, plan->mapFromContents(at));
        QPoint local = plan->mapFromContents(at);
        QContextMenuEvent event(QContextMenuEvent::Mouse, local, plan->viewport()->mapToGlobal(local));
        QCoreApplication::sendEvent(plan->viewport(), &event);
        form->tablePopupMenu->hide();
        if (command) {
            ASSERT_TRUE(command->isEnabled());
            command->trigger();
        }
    }
    void altKey(Qt::Key key, Qt::KeyboardModifiers more = {}) { QTest::keyClick(plan, key, Qt::AltModifier | more); }

    TtableManageForm* form = nullptr;
    TTableListView* plan = nullptr;
};
}  // namespace

TEST_F(TableManageTest, DraggedIconsKeepTheirGrabOffsetAndStoreTheirPlace) {
    EXPECT_EQ(plan->count(), 6);
    EXPECT_EQ(item(6)->imageIndex(), 3);  // the disabled table is shown, greyed
    EXPECT_EQ(item(5)->imageIndex(), 0);

    QRect icon = plan->itemRect(item(1));
    drag(icon.bottomRight(), QPoint(400, 300));  // grabbed by its lower right corner
    EXPECT_EQ(plan->itemRect(item(1)).bottomRight(), QPoint(400, 300));
    EXPECT_EQ(position(1), QString("%1,%2").arg(item(1)->left()).arg(item(1)->top()));
    EXPECT_EQ(item(1)->left(), 400 - icon.width() + 1);

    drag(item(2)->position() + QPoint(10, 10), QPoint(5, 200));  // past the left edge
    EXPECT_EQ(item(2)->position(), QPoint(130, 20));
    EXPECT_EQ(position(2), "130,20");
    // Dropped outside the visible plan (over the floor buttons below it, past its right
    // side): the table stays where it was and nothing is written.
    const QSize seen = plan->viewport()->size();
    for (QPoint outside : {QPoint(100, seen.height() + 30), QPoint(seen.width() + 40, 100)}) {
        drag(item(2)->position() + QPoint(10, 10), outside);
        EXPECT_EQ(item(2)->position(), QPoint(130, 20));
        EXPECT_EQ(position(2), "130,20");
    }

    // The nudges: only Alt alone moves, never past the left edge, and every Alt key writes.
    press(item(4)->position() + QPoint(5, 5));
    exec("update table_spec set X=1 where id=4");
    item(4)->setLeft(1);
    altKey(Qt::Key_Left);
    altKey(Qt::Key_Left);
    EXPECT_EQ(item(4)->left(), 0);
    altKey(Qt::Key_Down);
    EXPECT_EQ(position(4), "0,111");
    altKey(Qt::Key_Right);
    altKey(Qt::Key_Up);
    EXPECT_EQ(position(4), "1,110");
    altKey(Qt::Key_Left);
    altKey(Qt::Key_Down);
    altKey(Qt::Key_Right, Qt::ControlModifier);
    QTest::keyClick(plan, Qt::Key_Right);
    EXPECT_EQ(item(4)->position(), QPoint(0, 111));
    exec("update table_spec set X=50 where id=4");
    altKey(Qt::Key_A);  // any key with Alt stores the icon's place
    EXPECT_EQ(position(4), "0,111");

    // A table deleted meanwhile moves nowhere and brings nothing back.
    exec("delete from table_spec where id=5");
    press(item(5)->position() + QPoint(5, 5));
    altKey(Qt::Key_Right);
    drag(item(5)->position() + QPoint(5, 5), QPoint(300, 400));
    EXPECT_EQ(item(5)->position(), QPoint(130, 110));
    popup(item(5)->position() + QPoint(5, 5), form->deleteTable);
    EXPECT_EQ(scalarInt("select count(*) from table_spec where id=5"), 0);

    // Each listing shows the disabled table greyed again.
    click(form->floorButtons->floor2);
    EXPECT_TRUE(item(7) && !item(6));
    click(form->floorButtons->floor1);
    EXPECT_EQ(item(6)->imageIndex(), 3);
    EXPECT_EQ(plan->itemRect(item(1)).bottomRight(), QPoint(400, 300));
}

TEST_F(TableManageTest, TablesAreAddedAtThePopupPointEditedAndDeleted) {
    DialogScript script;
    script.expect<TtableAttribForm>([](TtableAttribForm* d) {
        EXPECT_EQ(d->windowTitle(), "新增桌子");
        type(d->nameTable, "107");
        type(d->seatTable, "6");
        click(d->confirmButton);
    });
    popup(QPoint(200, 300), nullptr);
    EXPECT_FALSE(form->deleteTable->isEnabled());
    EXPECT_FALSE(form->attribTable->isEnabled());
    form->newTable->trigger();
    EXPECT_EQ(rows("select floor, seat, X, Y from table_spec where table_name='107'"), QStringList{"1|6|200|300"});
    TTableItem* added = plan->selectedTableItem();
    ASSERT_TRUE(added);
    EXPECT_EQ(added->caption(), "107");
    EXPECT_EQ(added->position(), QPoint(200, 300));

    script.expect<TtableAttribForm>([](TtableAttribForm* d) {
        type(d->nameTable, "107A");
        d->imprisonRadio->click();
        click(d->confirmButton);
    });
    popup(added->position() + QPoint(5, 5), form->attribTable);
    EXPECT_FALSE(form->newTable->isEnabled());
    EXPECT_EQ(added->caption(), "107A");
    EXPECT_EQ(added->imageIndex(), 3);

    answers.push(AnsNo);
    popup(added->position() + QPoint(5, 5), form->deleteTable);
    EXPECT_EQ(plan->count(), 7);

    failOn("DELETE", "table_spec", "old.id=1");
    popup(item(1)->position() + QPoint(5, 5), form->deleteTable);
    EXPECT_EQ(answers.last(), "桌子删除失败!");
    EXPECT_TRUE(item(1));
    popup(added->position() + QPoint(5, 5), form->deleteTable);
    EXPECT_EQ(scalarInt("select count(*) from table_spec where table_name='107A'"), 0);
    EXPECT_EQ(plan->count(), 6);
}

TEST_F(TableManageTest, TablesWithAnOpenBillOrBookingAreNotDeleted) {
    exec("insert into table_instance(id,table_id,table_name,state) values(900,2,'102','TIS001');"
         "insert into table_instance(id,table_id,table_name,state) values(901,4,'104','TIS003');"
         "insert into reserve(id,guest_name,state) values(900,'周先生','R001');"
         "insert into reserve(id,guest_name,state) values(901,'王女士','R004');"
         "insert into reserve_table(id,reserve_id,table_id,table_name,eat_id,eat_date,state)"
         " values(900,900,3,'103',2,50000,'RT001');"
         "insert into reserve_table(id,reserve_id,table_id,table_name,eat_id,eat_date,state)"
         " values(901,901,4,'104',2,50000,'RT001')");
    for (int table : {2, 3}) {
        popup(item(table)->position() + QPoint(5, 5), form->deleteTable);
        EXPECT_EQ(answers.last(), "桌子在使用中或已被预订,不能删除!");
        EXPECT_TRUE(item(table));
        EXPECT_EQ(scalarInt(QString("select count(*) from table_spec where id=%1").arg(table)), 1);
    }
    // A cleared bill and a cancelled reservation keep nothing open.
    popup(item(4)->position() + QPoint(5, 5), form->deleteTable);
    EXPECT_FALSE(item(4));
    EXPECT_EQ(scalarInt("select count(*) from table_spec where id=4"), 0);
}
