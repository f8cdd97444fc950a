#include <QScreen>

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
        EXPECT_EQ(mapIcons(d->tableListView), (QList<int>{10, 21, 33, 40, 50}));  // 106 is disabled
        click(d->confirmBtn);
        EXPECT_EQ(answers.texts(), QStringList{"请选择台桌!"});
        for (int table : {t102, t101, t101}) pick(d, table);  // in use, still offered
        EXPECT_EQ(answers.last(), "台桌(101)已经被选择!");
        EXPECT_EQ(columnCells(d->selectTableGrid, 1), QStringList{"101"});
        click(d->getFloorButton(2));
        EXPECT_EQ(columnCells(d->selectTableGrid, 1), QStringList{"101"});  // the pick survives the floor change
        pick(d, 9);
        click(d->getFloorButton(1));
        click(d->confirmBtn);
    });
    ASSERT_EQ(picked.size(), 1u);
    EXPECT_EQ(QString::number(picked[0].getId()) + picked[0].getTableName(), "9兰花厅");
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

TEST_F(TableSelecterTest, OpensWideForAPlanLaidOutAcrossTheEditor) {
    exec(QString("update table_spec set X=1100 where id=%1").arg(t105));
    ask([](TtableSelecterForm* d) {
        EXPECT_GT(d->width(), 748);  // the sample plan's width
        EXPECT_LE(d->width(), d->screen()->availableGeometry().width());
    });
}
