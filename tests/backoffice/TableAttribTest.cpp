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
    // Refused saves leave the dialog open; an unsaved new table adds no item.
    show(nullptr, [&](TtableAttribForm* d) {
        type(d->nameTable, "101");  // taken
        type(d->seatTable, "4");
        click(d->applyButton);
        EXPECT_TRUE(d->isVisible() && d->applyButton->isEnabled());
        type(d->nameTable, "108");
        d->seatTable->clear();
        click(d->applyButton);
        EXPECT_EQ(answers.seen.last().kind, MsgError);
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(d->numberTable->text(), "");
        d->close();
    });
    EXPECT_EQ(answers.texts(), (QStringList{"桌子名称可能重复!", "'' 不是有效的整数"}));
    EXPECT_EQ(scalarInt("select count(*) from table_spec"), 12);
    EXPECT_EQ(plan.count(), 6);
    answers.clear();

    int result = show(nullptr, [&](TtableAttribForm* d) {
        EXPECT_TRUE(d->applyButton->isEnabled());
        type(d->nameTable, "107");
        type(d->seatTable, "12");
        type(d->typeTable, "大厅");
        d->descriptionTable->insertPlainText("O'Neil 的桌");
        click(d->applyButton);
        EXPECT_EQ(d->numberTable->text(), "101");  // 100 went to the refused insert
        EXPECT_EQ(d->windowTitle() + "|" + d->namePTable->text(), "107|107");
        EXPECT_FALSE(d->applyButton->isEnabled());
        type(d->seatTable, "14");
        EXPECT_TRUE(d->applyButton->isEnabled());
        click(d->confirmButton);  // updates the row just inserted
    });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(scalarInt("select count(*) from table_spec"), 13);
    EXPECT_EQ(tableRow(101), "107|1|14|大厅|TS001|300|40|O'Neil 的桌");
    ASSERT_EQ(plan.count(), 7);
    TTableItem* item = plan.tableItem(6);
    EXPECT_EQ(QString("%1:%2@%3,%4#%5").arg(item->getTableId()).arg(item->caption()).arg(item->left()).arg(item->top())
                  .arg(item->imageIndex()), "101:107@300,40#0");
    EXPECT_EQ(plan.selectedItem(), item);
    EXPECT_EQ(answers.count(), 0);

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
    EXPECT_EQ(rows("select table_name,seat,type from table_spec where id>101"), QStringList{"108|4|包间"});
    EXPECT_EQ(plan.count(), 8);
}

TEST_F(TableAttribTest, EditsAndAppliesKeepingTheLastSavedNameOnTheItem) {
    TTableItem* item = plan.findTableItem(1);
    show(item, [&](TtableAttribForm* d) {
        EXPECT_EQ(d->windowTitle(), "101");
        EXPECT_EQ(d->numberTable->text() + d->seatTable->text() + d->descriptionTable->toPlainText(), "14靠窗");
        EXPECT_FALSE(d->applyButton->isEnabled());
        EXPECT_TRUE(d->leisureRadio->isChecked());
        type(d->nameTable, "101A");
        click(d->applyButton);
        type(d->nameTable, "102");  // taken: refused, the dialog stays
        click(d->applyButton);
        EXPECT_EQ(d->namePTable->text(), "101A");
        QTest::keyClick(d, Qt::Key_Escape);
    });
    EXPECT_EQ(answers.texts(), QStringList{"桌子名称可能重复!"});
    EXPECT_EQ(tableRow(1), "101A|1|4|大厅|TS001|20|20|靠窗");
    // A seat count out of range: "确定" shows the same box as "应用" and saves nothing.
    show(item, [&](TtableAttribForm* d) {
        type(d->seatTable, "99999999999");
        click(d->confirmButton);
        EXPECT_TRUE(d->isVisible());
        d->close();
    });
    EXPECT_EQ(answers.last(), "'99999999999' 不是有效的整数");
    EXPECT_EQ(tableRow(1), "101A|1|4|大厅|TS001|20|20|靠窗");
    EXPECT_EQ(item->caption(), "101A");
    EXPECT_EQ(item->imageIndex(), 0);
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

TEST_F(TableAttribTest, ReadOnlyViewAndAMissingTableLeaveTheItemAlone) {
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
    exec("update table_spec set table_name='102B' where id=2");
    {
        DialogScript script;
        script.expect<TtableAttribForm>([&](TtableAttribForm* d) {
            EXPECT_EQ(d->nameTable->text(), "102B");
            EXPECT_FALSE(d->nameTable->isEnabled() || d->confirmButton->isEnabled() || d->applyButton->isEnabled());
            d->close();
        });
        TtableAttribForm::showReadOnly(item);
    }
    EXPECT_EQ(item->caption(), "旧名");
    EXPECT_EQ(item->imageIndex(), 2);
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
    EXPECT_EQ(answers.texts(), QStringList{"桌子不存在!"});  // the save's, above; nothing since
}
