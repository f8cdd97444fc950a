#include <QPlainTextEdit>
#include <QGroupBox>
#include <QRadioButton>

#include "backoffice/TableAttribUnit.h"
#include "frame/FrameFixture.h"
#include "frame/TableMapUnit.h"

namespace {
class TableAttribTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        plan.useLayoutImages();
        plan.showLayout(1);
    }
    // The dialog shown and driven by `action`: for an item of the plan, or (no item)
    // the layout editor's way of creating a table on floor 1 at (300, 40).
    int show(TTableItem* item, std::function<void(TtableAttribForm*)> action) {
        DialogScript script;
        script.expect<TtableAttribForm>(std::move(action));
        TtableAttribForm form;
        if (item) {
            form.setTableItem(item);
        } else {
            form.floor = 1;
            form.setListView(&plan);
            form.setX(300);
            form.setY(40);
        }
        return form.showExclusive();
    }
    QString tableRow(int id) {
        return rows(QString("select table_name,floor,seat,type,state,X,Y,description from table_spec where id=%1").arg(id))
            .value(0);
    }
    TTableListView plan;
};
}  // namespace

TEST_F(TableAttribTest, CreatesATableOnceThenUpdatesItAndPlacesItsItemOnThePlan) {
    int result = show(nullptr, [&](TtableAttribForm* d) {
        type(d->nameTable, "107");
        type(d->seatTable, "12");
        type(d->typeTable, "大厅");
        d->descriptionTable->insertPlainText("O'Neil 的桌");
        click(d->applyButton);
        EXPECT_EQ(d->numberTable->text(), "100");
        type(d->seatTable, "14");
        click(d->confirmButton);  // updates the row just inserted
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(tableRow(100), "107|1|14|大厅|TS001|300|40|O'Neil 的桌");
    ASSERT_EQ(plan.count(), 7);
    TTableItem* item = plan.tableItem(6);
    EXPECT_EQ(QString("%1:%2@%3,%4#%5").arg(item->getTableId()).arg(item->caption()).arg(item->left()).arg(item->top())
                  .arg(item->imageIndex()), "100:107@300,40#0");
    EXPECT_EQ(plan.selectedItem(), item);

    // "确定" keeps the dialog open with what was typed while the seat count is no
    // number or the database refuses the name; corrected, it saves once and closes.
    result = show(nullptr, [&](TtableAttribForm* d) {
        type(d->nameTable, "108");
        type(d->seatTable, "4a");
        type(d->typeTable, "包间");
        click(d->confirmButton);
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(d->nameTable->text() + "|" + d->seatTable->text() + "|" + d->typeTable->text(), "108|4a|包间");
        type(d->seatTable, "4");
        type(d->nameTable, "107");  // taken now
        click(d->confirmButton);
        EXPECT_TRUE(d->isVisible());
        type(d->nameTable, "108");
        click(d->confirmButton);
        EXPECT_FALSE(d->isVisible());
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(answers.texts(), (QStringList{"'4a' 不是有效的整数", "桌子名称可能重复!"}));
    // One row each for 107 and 108: neither the apply-then-confirm nor the refused tries wrote another.
    EXPECT_EQ(scalarInt("select count(*) from table_spec"), 14);
    EXPECT_EQ(rows("select table_name,seat,type from table_spec where id>100"), QStringList{"108|4|包间"});
    EXPECT_EQ(plan.count(), 8);
}

TEST_F(TableAttribTest, ADisabledTableKeepsItsStateUnlessItIsInUse) {
    TTableItem* item = plan.findTableItem(6);
    show(item, [&](TtableAttribForm* d) {
        EXPECT_TRUE(d->imprisonRadio->isChecked());
        type(d->typeTable, "包间");
        click(d->confirmButton);
    });
    EXPECT_EQ(tableRow(6), "106|1|4|包间|TS002|240|110|维修中");
    EXPECT_EQ(item->imageIndex(), 3);

    exec("insert into table_instance(table_id,state) values(6,'TIS001')");
    show(item, [&](TtableAttribForm* d) {
        EXPECT_EQ(answers.texts(), QStringList{"桌子在使用中,不能禁用!"});
        EXPECT_TRUE(d->leisureRadio->isChecked());
        EXPECT_FALSE(d->applyButton->isEnabled());
        click(d->confirmButton);
    });
    EXPECT_EQ(scalar("select state from table_spec where id=6"), "TS001");
    EXPECT_EQ(item->imageIndex(), 0);
}

TEST_F(TableAttribTest, AMissingTableLeavesTheItemAlone) {
    // Deleted by another station while the dialog has it open: the save says so.
    show(plan.findTableItem(3), [&](TtableAttribForm* d) {
        exec("delete from table_spec where id=3");
        type(d->seatTable, "6");
        click(d->applyButton);
        EXPECT_TRUE(d->isVisible() && d->applyButton->isEnabled());
        d->close();
    });
    EXPECT_EQ(answers.texts(), QStringList{"桌子不存在!"});
    EXPECT_EQ(scalarInt("select count(*) from table_spec where id=3"), 0);

    TTableItem* item = plan.findTableItem(2);
    item->setCaption("旧名");
    item->setImageIndex(2);
    // Deleted by another window meanwhile, or neither an item nor a list view: the
    // dialog closes by itself and touches nothing.
    exec("delete from table_spec where id=2");
    for (TTableItem* given : {item, static_cast<TTableItem*>(nullptr)}) {
        bool closedItself = false;
        DialogScript script;
        script.expect<TtableAttribForm>([&](TtableAttribForm* d) {
            QCoreApplication::processEvents();
            closedItself = !d->isVisible();
        });
        TtableAttribForm form;
        form.setTableItem(given);
        form.showExclusive();
        EXPECT_TRUE(closedItself);
    }
    EXPECT_EQ(item->caption(), "旧名");
    EXPECT_EQ(item->imageIndex(), 2);
}
