#include <QApplication>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include "frame/DialogScript.h"
#include "frame/TableMapUnit.h"
#include "platform/StringGrid.h"
#include "service/TableSelecterUnit.h"
#include "support/TestDatabase.h"

namespace {
class TableSelecterTest : public SampleDbTest {
protected:
    void SetUp() override {
        SampleDbTest::SetUp();
        setNowForTest(encodeDateTime(2024, 5, 10, 12, 0, 0));  // lunch
    }
    void TearDown() override {
        clearNowForTest();
        SampleDbTest::TearDown();
    }
    static void pick(TtableSelecterForm* d, int tableId) {
        TTableListView* map = d->tableListView;
        TTableItem* item = map->findTableItem(tableId);
        ASSERT_NE(item, nullptr) << "table " << tableId << " not on the map";
        QPoint at = map->mapFromContents(map->itemRect(item).center());
        // The first press of a double-click selects the item.
        QTest::mouseClick(map->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(map->viewport(), Qt::LeftButton, {}, at);
    }
    static void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    // The sell window's way of asking: single mode, its floor, then the pick.
    std::vector<TPOTable> ask(int floor, std::function<void(TtableSelecterForm*)> action) {
        DialogScript script;
        script.expect<TtableSelecterForm>(std::move(action));
        TtableSelecterForm form;
        form.setSingle();
        form.setFloor(floor);
        return form.getSelectTables();
    }
    static QList<int> icons(TtableSelecterForm* d) {
        QList<int> seen;
        for (int i = 0; i < d->tableListView->count(); ++i)
            seen << d->tableListView->tableItem(i)->getTableId() * 10 + d->tableListView->tableItem(i)->imageIndex();
        return seen;
    }
};
}  // namespace

TEST_F(TableSelecterTest, OffersEveryTableButTheDisabledAndReturnsTheLastPickAcrossFloors) {
    exec("insert into table_instance(table_id,state) values(2,'TIS001'),(3,'TIS002')");
    std::vector<TPOTable> picked = ask(1, [&](TtableSelecterForm* d) {
        EXPECT_EQ(d->windowTitle(), "台桌选器");
        EXPECT_EQ(icons(d), (QList<int>{10, 21, 33, 40, 50}));  // 106 is disabled
        click(d->confirmBtn);
        EXPECT_EQ(answers.texts(), QStringList{"请选择台桌!"});
        EXPECT_TRUE(d->isVisible());
        pick(d, 2);  // in use, still offered
        pick(d, 1);
        pick(d, 1);
        EXPECT_EQ(answers.last(), "台桌(101)已经被选择!");
        EXPECT_EQ(d->selectTableGrid->rowCount(), 2);
        EXPECT_EQ(d->selectTableGrid->cell(0, 1) + d->selectTableGrid->cell(1, 1), "1101");
        click(d->getFloorButton(2));
        EXPECT_EQ(d->tableListView->count(), 6);
        EXPECT_EQ(d->selectTableGrid->cell(1, 1), "101");  // the pick survives the floor change
        pick(d, 9);
        click(d->getFloorButton(1));
        click(d->confirmBtn);
    });
    ASSERT_EQ(picked.size(), 1u);
    EXPECT_EQ(picked[0].getId(), 9);
    EXPECT_EQ(picked[0].getTableName(), "兰花厅");
    EXPECT_EQ(answers.count(), 2);
}

TEST_F(TableSelecterTest, CancelCloseBoxAndEscapeReturnNoTable) {
    std::vector<std::function<void(TtableSelecterForm*)>> ways = {
        [](TtableSelecterForm* d) { click(d->cancelBtn); },
        [](TtableSelecterForm* d) { d->close(); },
        [](TtableSelecterForm* d) { QTest::keyClick(d, Qt::Key_Escape); },
    };
    for (auto& leave : ways) {
        std::vector<TPOTable> picked = ask(1, [&](TtableSelecterForm* d) {
            pick(d, 5);
            leave(d);
            EXPECT_FALSE(d->isVisible());
        });
        EXPECT_TRUE(picked.empty());
    }
}

TEST_F(TableSelecterTest, AFloorWithoutAButtonKeepsTheFloorShown) {
    TtableSelecterForm form;
    form.setFloor(2);
    form.setFloor(0);
    form.setFloor(6);
    EXPECT_EQ(form.currentFloorBtn(), form.getFloorButton(2));
    EXPECT_FALSE(form.getFloorButton(1)->font().bold());
    EXPECT_TRUE(form.getFloorButton(2)->font().bold());
    EXPECT_NE(form.tableListView->findTableItem(7), nullptr);
}

TEST_F(TableSelecterTest, OpensWideForAPlanLaidOutAcrossTheEditorAndAWheelReachesItsFarTables) {
    ask(1, [](TtableSelecterForm* d) { EXPECT_EQ(d->size(), QSize(748, 505)); });  // the sample plan fits
    exec("update table_spec set X=1100 where id=5");
    std::vector<TPOTable> picked = ask(1, [&](TtableSelecterForm* d) {
        TTableListView* map = d->tableListView;
        const QSize room = d->screen()->availableGeometry().size();
        EXPECT_GT(d->width(), 748);
        EXPECT_LE(d->width(), room.width());
        QScrollBar* bar = map->horizontalScrollBar();
        const QRect far = map->itemRect(map->findTableItem(5));
        ASSERT_GT(bar->maximum(), 0) << "the test screen shows the whole plan";
        // A few notches of the plain wheel bring the far table into sight; the bar's
        // handle goes along with the view.
        int notches = 0;
        while (map->mapFromContents(far.topRight()).x() >= map->viewport()->width() && notches < 20) {
            QWheelEvent wheel(QPointF(50, 50), map->viewport()->mapToGlobal(QPointF(50, 50)), QPoint(),
                              QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(map->viewport(), &wheel);
            ++notches;
        }
        EXPECT_LE(notches, 8);
        EXPECT_GT(bar->value(), 0);
        pick(d, 5);
        click(d->confirmBtn);
    });
    ASSERT_EQ(picked.size(), 1u);
    EXPECT_EQ(picked[0].getId(), 5);
}
