#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>

#include "service/ServiceFixture.h"
#include "service/TableSelecterUnit.h"

namespace {
class TableSelecterTest : public LunchTest {
protected:
    static void pick(TtableSelecterForm* d, int tableId) { clickOnMap(d->tableListView, tableId, true); }
    // The sell window's way of asking: single mode, its floor, then the pick.
    std::vector<TPOTable> ask(std::function<void(TtableSelecterForm*)> action) {
        DialogScript script;
        script.expect<TtableSelecterForm>(std::move(action));
        TtableSelecterForm form;
        form.setSingle();
        form.setFloor(1);
        return form.getSelectTables();
    }
};
}  // namespace

TEST_F(TableSelecterTest, OffersEveryTableButTheDisabledAndReturnsTheLastPickAcrossFloors) {
    addInstance(50, t102, "TIS001");
    addInstance(51, t103, "TIS002");
    std::vector<TPOTable> picked = ask([&](TtableSelecterForm* d) {
        EXPECT_EQ(d->windowTitle(), "台桌选器");
        EXPECT_EQ(mapIcons(d->tableListView), (QList<int>{10, 21, 33, 40, 50}));  // 106 is disabled
        click(d->confirmBtn);
        EXPECT_EQ(answers.texts(), QStringList{"请选择台桌!"});
        EXPECT_TRUE(d->isVisible());
        for (int table : {t102, t101, t101}) pick(d, table);  // in use, still offered
        EXPECT_EQ(answers.last(), "台桌(101)已经被选择!");
        EXPECT_EQ(columnCells(d->selectTableGrid, 1), QStringList{"101"});
        click(d->getFloorButton(2));
        EXPECT_TRUE(d->getFloorButton(2)->font().bold());
        EXPECT_EQ(d->tableListView->count(), 6);
        EXPECT_EQ(columnCells(d->selectTableGrid, 1), QStringList{"101"});  // the pick survives the floor change
        pick(d, 9);
        click(d->getFloorButton(1));
        click(d->confirmBtn);
    });
    ASSERT_EQ(picked.size(), 1u);
    EXPECT_EQ(QString::number(picked[0].getId()) + picked[0].getTableName(), "9兰花厅");
    EXPECT_EQ(answers.count(), 2);
}

TEST_F(TableSelecterTest, CancelCloseBoxAndEscapeReturnNoTable) {
    std::vector<std::function<void(TtableSelecterForm*)>> ways = {
        [](TtableSelecterForm* d) { click(d->cancelBtn); },
        [](TtableSelecterForm* d) { d->close(); },
        [](TtableSelecterForm* d) { QTest::keyClick(d, Qt::Key_Escape); },
    };
    for (auto& leave : ways) {
        std::vector<TPOTable> picked = ask([&](TtableSelecterForm* d) {
            pick(d, 5);
            leave(d);
            EXPECT_FALSE(d->isVisible());
        });
        EXPECT_TRUE(picked.empty());
    }
}

TEST_F(TableSelecterTest, AFloorWithoutAButtonKeepsTheFloorShown) {
    TtableSelecterForm form;
    form.setFloor(9);  // before showing: floor 1 stays
    EXPECT_EQ(form.currentFloorBtn(), form.getFloorButton(1));
    EXPECT_EQ(form.tableListView->count(), 5);
    for (int floor : {2, 0, 6}) form.setFloor(floor);
    EXPECT_EQ(form.currentFloorBtn(), form.getFloorButton(2));
    EXPECT_FALSE(form.getFloorButton(1)->font().bold());
    EXPECT_TRUE(form.getFloorButton(2)->font().bold());
    EXPECT_NE(form.tableListView->findTableItem(peony), nullptr);
    form.setFloor(1);
    EXPECT_TRUE(form.getFloorButton(1)->font().bold() && !form.getFloorButton(2)->font().bold());
    EXPECT_NE(form.tableListView->findTableItem(t101), nullptr);
}

TEST_F(TableSelecterTest, OpensWideForAPlanLaidOutAcrossTheEditorAndAWheelReachesItsFarTables) {
    ask([](TtableSelecterForm* d) { EXPECT_EQ(d->size(), QSize(748, 505)); });  // the sample plan fits
    exec(QString("update table_spec set X=1100 where id=%1").arg(t105));
    std::vector<TPOTable> picked = ask([&](TtableSelecterForm* d) {
        TTableListView* map = d->tableListView;
        EXPECT_GT(d->width(), 748);
        EXPECT_LE(d->width(), d->screen()->availableGeometry().width());
        QScrollBar* bar = map->horizontalScrollBar();
        const QRect far = map->itemRect(map->findTableItem(t105));
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
        pick(d, t105);
        click(d->confirmBtn);
    });
    ASSERT_EQ(picked.size(), 1u);
    EXPECT_EQ(picked[0].getId(), t105);
}
