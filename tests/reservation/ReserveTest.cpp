#include "backoffice/TableAttribUnit.h"
#include "data/EatMgrUnit.h"
#include "reservation/ReserveUnit.h"
#include "service/ServiceFixture.h"

namespace {
// 2024-05-10 without a time of day, as booked dates are stored.
const QString may10 = QString::number(dayNumber(QDate(2024, 5, 10)));

class ReserveTest : public ServiceTest {
protected:
    void SetUp() override {
        ServiceTest::SetUp();
        setNowForTest(encodeDateTime(2024, 5, 10, 11, 0, 0));  // lunch
    }
    static void pick(TreserveForm* d, int tableId) { clickOnMap(d->tableListView, tableId, true); }
    static QStringList column(TreserveForm* d, int col) { return columnCells(d->selectStringGrid, col); }
    // The next dish-choosing window shown by the dialog orders the hot dishes at these slots.
    void expectDishes(std::vector<size_t> dishSlots) { dishOrders.push_back(std::move(dishSlots)); }
    // Reservation 50 of 周先生 at lunch on May 10: 101 (row 51, dish 61), 102 (52, dish 62),
    // 104 (54, dish 64), 105 already taken over (53, RT002); one dish 63 for everybody.
    void storeReservation() {
        exec("insert into reserve(id,guest_name,telephone,guest_type,guest_num,create_time,state,description) "
             "values(50,'周先生','13812345678','会员','8',45000.5,'R001','靠窗')");
        for (auto [id, table, rtState] : {std::tuple{51, 1, "RT001"}, std::tuple{52, 2, "RT001"},
                                          std::tuple{53, 5, "RT002"}, std::tuple{54, 4, "RT001"}})
            exec(QString("insert into reserve_table(id,reserve_id,table_name,table_id,eat,eat_id,start_time,end_time,"
                         "eat_date,state) values(%1,50,'10%2',%2,'午餐',2,37800/86400.0,50400/86400.0,%3,'%4')")
                     .arg(id).arg(table).arg(may10, rtState));
        for (auto [id, owner, rela] : {std::tuple{61, 51, "MIR002"}, std::tuple{62, 52, "MIR002"},
                                       std::tuple{64, 54, "MIR002"}, std::tuple{63, 50, "MIR001"}})
            exec(QString("insert into menu_instance(id,consult_id,rela_type,menu_name,price,quantity,state) "
                         "values(%1,%2,'%3','宫保鸡丁',38,1,'MI001')").arg(id).arg(owner).arg(rela));
    }
    // Shows the dialog made ready by `how` (a new booking without it); `action` runs while it is open.
    void open(std::function<void(TreserveForm*)> action, std::function<void(TreserveForm&)> how = {}) {
        script.expect<TreserveForm>(std::move(action));
        for (const std::vector<size_t>& dishes : dishOrders)
            script.expect<TcarteForm>([dishes](TcarteForm* c) {
                QTest::mouseClick(c->menuTypeButtons[0], Qt::LeftButton);
                for (size_t slot : dishes) QTest::mouseClick(c->menuButtons[slot], Qt::LeftButton);
                click(c->confirmButton);
            });
        dishOrders.clear();
        TreserveForm form;
        how ? how(form) : void(form.showExclusive());
    }
    static auto loading(bool readOnly = false) {
        return [readOnly](TreserveForm& f) {
            if (readOnly) f.setReadOnly();
            f.loadReserve(50);
        };
    }
    DialogScript script;
    std::vector<std::vector<size_t>> dishOrders;
};
}  // namespace

TEST_F(ReserveTest, BooksTablesWithDishesAndWritesThemInOneTransaction) {
    exec("insert into table_instance(id,table_id,state) values(1,3,'TIS001')");  // 103 in use
    // A stray row with id 0 is another reservation, never the new one's.
    exec("insert into reserve(id,guest_name,telephone,guest_type,state) values(0,'别人','1','会员','R004')");
    expectDishes({0, 1});  // 101: 宫保鸡丁, 鱼香肉丝
    expectDishes({4});     // everybody: 清蒸鲈鱼
    open([&](TreserveForm* d) {
        EXPECT_EQ(d->eatComboBox->currentText(), "午餐");
        EXPECT_EQ(d->yearComboBox->itemText(0) + d->yearComboBox->currentText(), "20142024");
        EXPECT_FALSE(d->applyButton->isEnabled());
        for (int table : {3, 1, 1, 2}) pick(d, table);
        choose(d->eatComboBox, "晚餐");
        pick(d, 1);  // the same table at another meal is another booking
        EXPECT_EQ(answers.texts(), (QStringList{"只能预订空闲的台桌!", "台桌(101)已经被选择！"}));
        EXPECT_EQ(column(d, 3), (QStringList{"2024-05-10", "2024-05-10", "2024-05-10"}));
        EXPECT_EQ(column(d, 4), (QStringList{"午餐", "午餐", "晚餐"}));
        clickRow(d->selectStringGrid, 3);
        click(d->deleteReserveButton);
        clickRow(d->selectStringGrid, 1);
        click(d->singleAddMenu);
        click(d->addMenu);
        EXPECT_EQ(column(d, 5), (QStringList{"√", ""}));
        EXPECT_EQ(column(d, 0), (QStringList{"1", "2"}));
        type(d->guestName, "周先生");
        type(d->telephone, "13812345678");

        failOn("insert", "menu_instance", "new.rela_type='MIR001'");  // the last insert of the batch
        answers.clear();
        click(d->applyButton);
        EXPECT_EQ(answers.texts(), QStringList{"保存预订信息时出现异常！"});
        EXPECT_TRUE(d->applyButton->isEnabled());
        EXPECT_EQ(rows("select count(*) from reserve where id<>0 union all select count(*) from reserve_table "
                       "union all select count(*) from menu_instance"),
                  (QStringList{"0", "0", "0"}));
        EXPECT_EQ(rows("select name,telephone from guest"), QStringList{"周先生|13812345678"});  // written before

        exec("drop trigger " + scalar("select name from sqlite_master where type='trigger'"));
        click(d->applyButton);
        EXPECT_FALSE(d->applyButton->isEnabled());
        click(d->confirmButton);  // nothing changed since: closes without writing again
        EXPECT_FALSE(d->isVisible());
    });
    // The failed save's ids (reserve 100, tables 100-101, dishes 100-102) were not stored: new ones.
    EXPECT_EQ(rows("select id,guest_name,telephone,guest_type,state from reserve order by id"),
              (QStringList{"0|别人|1|会员|R004", "101|周先生|13812345678|散客|R001"}));
    EXPECT_EQ(rows("select id,reserve_id,table_id,eat,eat_id,eat_date,state from reserve_table order by id"),
              (QStringList{"102|101|1|午餐|2|" + may10 + "|RT001", "103|101|2|午餐|2|" + may10 + "|RT001"}));
    EXPECT_EQ(rows("select id,consult_id,rela_type,menu_name from menu_instance order by id"),
              (QStringList{"103|102|MIR002|宫保鸡丁", "104|102|MIR002|鱼香肉丝", "105|101|MIR001|清蒸鲈鱼"}));
    EXPECT_EQ(scalarInt("select count(*) from guest"), 1);
    EXPECT_EQ(incomingTelephone, "");
}

TEST_F(ReserveTest, ChangesALoadedReservationWithoutTouchingTablesTakenOver) {
    storeReservation();
    open(
        [&](TreserveForm* d) {
            EXPECT_EQ(column(d, 1), (QStringList{"101", "102", "105", "104"}));
            EXPECT_EQ(column(d, 2), (QStringList{"预订中", "预订中", "完成", "预订中"}));
            EXPECT_EQ(column(d, 5), (QStringList{"√", "√", "", "√"}));
            EXPECT_EQ(d->reserveMenuIns().size(), 1u);
            EXPECT_EQ(d->guestType->currentText() + d->description->toPlainText(), "会员靠窗");
            EXPECT_FALSE(d->applyButton->isEnabled());

            clickRow(d->selectStringGrid, 3);  // 105, taken over
            click(d->deleteReserveButton);
            click(d->singleAddMenu);
            EXPECT_EQ(answers.texts(), (QStringList{"是否真的要删除?", "只有状态为预订中的台桌才可以删除！",
                                                    "只有状态为预订中的台桌才可以点菜！"}));
            // 104 is taken over by the sell window while the dialog still shows it booked.
            exec("update reserve_table set state='RT002' where id=54");
            for (int row : {4, 2}) {
                clickRow(d->selectStringGrid, row);
                click(d->deleteReserveButton);
            }
            EXPECT_EQ(column(d, 1), (QStringList{"101", "105"}));
            type(d->guestNum, "10");
            click(d->confirmButton);
            EXPECT_FALSE(d->isVisible());
        },
        loading());
    EXPECT_EQ(rows("select guest_num,create_time,state from reserve"), QStringList{"10|45000.5|R001"});
    EXPECT_EQ(rows("select id,state from reserve_table order by id"), (QStringList{"51|RT001", "53|RT002", "54|RT002"}));
    EXPECT_EQ(rows("select id from menu_instance order by id"), (QStringList{"61", "63", "64"}));
}

TEST_F(ReserveTest, ViewsReadOnlyAndNeverWritesACompletedReservationBack) {
    storeReservation();
    open(
        [&](TreserveForm* d) {
            EXPECT_FALSE(d->tableListView->isEnabled() || d->functionBtnArea->isEnabled() ||
                         d->guestInforArea->isEnabled());
            EXPECT_TRUE(d->eatComboBox->isEnabled() && d->selectStringGrid->isEnabled());
            click(d->confirmButton);
            EXPECT_FALSE(d->isVisible());
        },
        loading(true));
    // The sell window takes the last tables over while the dialog still shows them booked.
    open(
        [&](TreserveForm* d) {
            type(d->guestNum, "10");
            exec("create trigger sell after insert on guest begin "
                 "update reserve_table set state='RT002' where reserve_id=50; "
                 "update reserve set state='R002' where id=50; end");
            click(d->applyButton);  // completed between the dialog's first look and its write
            exec("drop trigger sell");
            click(d->applyButton);
            click(d->confirmButton);
            EXPECT_EQ(answers.texts(), QStringList(3, "预订信息已变化，请刷新后重试！"));
            EXPECT_TRUE(d->isVisible() && d->applyButton->isEnabled());
            click(d->cancelButton);
        },
        loading());
    EXPECT_EQ(rows("select guest_num,state from reserve"), QStringList{"8|R002"});
    EXPECT_EQ(rows("select state from reserve_table"), QStringList(4, "RT002"));
    EXPECT_EQ(rows("select id from menu_instance order by id"), (QStringList{"61", "62", "63", "64"}));
    answers.clear();
    open(
        [&](TreserveForm* d) {
            EXPECT_EQ(answers.texts(), QStringList{"完成状态的预订单不能修改!"});
            EXPECT_EQ(d->reserveState->count(), 4);
            EXPECT_EQ(d->reserveState->currentText(), "正常完成");
            EXPECT_FALSE(d->guestInforArea->isEnabled() || d->applyButton->isEnabled());
        },
        loading());
    exec("update reserve set state='R003'");
    open([&](TreserveForm* d) { EXPECT_EQ(d->reserveState->currentText(), "用户没来"); }, loading());
    EXPECT_EQ(scalar("select state from reserve"), "R003");
}

TEST_F(ReserveTest, PrefillsTheLastCallersGuestAndChecksBeforeSaving) {
    exec("insert into guest(id,name,guest_type_name,telephone) values(7,'李女士','会员','13900000001')");
    incomingTelephone = "13900000001";
    open([&](TreserveForm* d) {
        EXPECT_EQ(d->guestName->text() + d->telephone->text() + d->guestType->currentText(), "李女士13900000001会员");
        EXPECT_TRUE(d->applyButton->isEnabled());
        click(d->confirmButton);
        d->guestName->setText(" \t ");
        pick(d, 1);
        click(d->confirmButton);
        d->guestName->setText("李女士");
        d->telephone->setText("  ");
        click(d->confirmButton);
        EXPECT_EQ(answers.texts(), (QStringList{"没有选择预订的桌子！", "客户名称不能为空", "联系电话不能为空"}));
        EXPECT_TRUE(d->isVisible());
        click(d->cancelButton);
    });
    EXPECT_EQ(incomingTelephone, "");
    EXPECT_EQ(scalarInt("select count(*) from reserve"), 0);

    // No caller: nothing to save; a table booked by the caller of the dialog is not a change.
    answers.clear();
    open(
        [&](TreserveForm* d) {
            EXPECT_EQ(column(d, 1), QStringList{"105"});
            EXPECT_FALSE(d->applyButton->isEnabled());
            click(d->confirmButton);
            EXPECT_FALSE(d->isVisible());
        },
        [](TreserveForm& f) { f.reserveTable(5); });
    EXPECT_EQ(scalarInt("select count(*) from reserve") + scalarInt("select count(*) from guest"), 1);
    EXPECT_TRUE(answers.texts().isEmpty());
}

TEST_F(ReserveTest, AFailedIdDrawOrLookupWritesNothing) {
    storeReservation();
    exec("delete from sequence where name='menu_instance.id'");
    expectDishes({0});
    open([&](TreserveForm* d) {
        pick(d, 3);
        click(d->addMenu);
        type(d->guestName, "王先生");
        type(d->telephone, "13700000000");
        click(d->applyButton);
        EXPECT_EQ(answers.texts(), QStringList{"没有找到(menu_instance.id)！"});
    });
    EXPECT_EQ(rows("select count(*) from reserve union all select count(*) from guest"), (QStringList{"1", "0"}));

    answers.clear();
    open(
        [&](TreserveForm* d) {
            // Every read of reserve_table fails from now on.
            exec("alter table reserve_table add column broken integer "
                 "generated always as (abs(-9223372036854775807-1)) virtual");
            type(d->guestName, "周太太");
            click(d->applyButton);
            EXPECT_EQ(answers.texts(), QStringList{"查询预订台桌时出现异常!"});
            EXPECT_TRUE(d->applyButton->isEnabled());
        },
        loading());
    EXPECT_EQ(rows("select guest_name from reserve union all select count(*) from guest"),
              (QStringList{"周先生", "0"}));
    EXPECT_EQ(scalarInt("select count(*) from reserve_table"), 4);
}

TEST_F(ReserveTest, ChoosesMealAndDateAsTheReservationWindowsDo) {
    // 10:00 ends breakfast; 10:15 lies between meals; 13:00 in lunch; 22:00 after all.
    const std::vector<TPOEat> eats = TEatMgr::getEatList();
    for (auto [hour, minute, index] : {std::tuple{10, 0, 0}, std::tuple{10, 15, 1}, std::tuple{13, 0, 1}, std::tuple{22, 0, 0}})
        EXPECT_EQ(defaultEatIndex(eats, encodeTime(hour, minute, 0)), index) << hour << ":" << minute;
    exec("insert into eat(id,name,start_time,end_time) values(4,'早茶',36000/86400.0,39600/86400.0)");  // 10:00-11:00
    EXPECT_EQ(defaultEatIndex(TEatMgr::getEatList(), encodeTime(10, 0, 0)), 1);  // the later one containing it

    open([&](TreserveForm* d) {
        d->Calendar->setSelectedDate(QDate(2024, 3, 31));
        choose(d->monthComboBox, "四月");  // no 31 April: refused, the date stays
        EXPECT_EQ(answers.last(), "无效的日期: 2024年4月31日");
        EXPECT_EQ(d->Calendar->selectedDate(), QDate(2024, 3, 31));
        d->Calendar->setSelectedDate(QDate(2024, 2, 29));
        choose(d->yearComboBox, "2025");
        EXPECT_EQ(d->Calendar->selectedDate(), QDate(2024, 2, 29));
        choose(d->yearComboBox, "2028");
        EXPECT_EQ(d->Calendar->selectedDate(), QDate(2028, 2, 29));

        // "属性" shows the table read-only, and books nothing.
        clickOnMap(d->tableListView, 2);
        script.expect<TtableAttribForm>([](TtableAttribForm* a) {
            EXPECT_EQ(a->nameTable->text(), "102");
            EXPECT_FALSE(a->nameTable->isEnabled() || a->confirmButton->isEnabled());
            a->close();
        });
        d->tableAttribMenu->trigger();
        EXPECT_EQ(d->selectStringGrid->rowCount(), 1);
    });

    // Without meal periods the dialog opens, and refuses to book.
    exec("delete from eat");
    answers.clear();
    open([&](TreserveForm* d) {
        EXPECT_EQ(d->eatComboBox->count(), 0);
        EXPECT_EQ(d->tableListView->count(), 5);
        pick(d, 1);
        EXPECT_EQ(answers.texts(), QStringList{"没有餐次信息!"});
        EXPECT_EQ(d->selectStringGrid->rowCount(), 1);
    });
}

TEST_F(ReserveTest, ATableBookedMeanwhileAtAnotherStationIsNotBookedTwice) {
    // Another station's reservation `id` booking table `table` at lunch on May 10.
    const auto bookedElsewhere = [](int id, int table) {
        return QString("insert into reserve(id,guest_name,telephone,guest_type,state) values(%1,'别人','1','散客','R001');"
                       "insert into reserve_table(id,reserve_id,table_name,table_id,eat,eat_id,eat_date,state) "
                       "values(%1,%1,'10%2',%2,'午餐',2,%3,'RT001');")
            .arg(id).arg(table).arg(may10);
    };
    open([&](TreserveForm* d) {
        pick(d, 1);
        pick(d, 2);
        type(d->guestName, "吴女士");
        type(d->telephone, "13900000000");
        exec(bookedElsewhere(70, 2));
        click(d->applyButton);
        EXPECT_EQ(answers.texts(), QStringList{"只能预订空闲的台桌!"});
        EXPECT_EQ(d->selectStringGrid->row(), 2);
        EXPECT_TRUE(d->applyButton->isEnabled());
        EXPECT_EQ(rows("select count(*) from reserve union all select count(*) from guest"), (QStringList{"1", "0"}));

        // That guest cancels; and just as this guest is written, a third station books 101.
        exec("update reserve set state='R004' where id=70");
        exec("create trigger third after insert on guest begin " + bookedElsewhere(71, 1) + " end");
        click(d->applyButton);
        EXPECT_EQ(answers.last(), "只能预订空闲的台桌!");
        EXPECT_EQ(d->selectStringGrid->row(), 1);
        EXPECT_EQ(scalarInt("select count(*) from reserve where guest_name='吴女士'"), 0);

        exec("drop trigger third");
        exec("update reserve set state='R003' where id=71");
        click(d->confirmButton);
        EXPECT_FALSE(d->isVisible());
    });
    EXPECT_EQ(rows("select table_id,r.guest_name from reserve_table t join reserve r on r.id=t.reserve_id "
                   "where r.state='R001' order by table_id"),
              (QStringList{"1|吴女士", "2|吴女士"}));

    // A cancelled reservation booked again: its tables count as new bookings, the
    // dialog's own duplicate too. Its bookings that stayed open are not checked again.
    storeReservation();
    exec("update reserve set state='R004' where id=50");
    exec(QString("insert into reserve_table(id,reserve_id,table_name,table_id,eat,eat_id,eat_date,state) "
                 "values(55,50,'104',4,'午餐',2,%1,'RT001')").arg(may10));
    exec("delete from reserve_table where reserve_id<>50");
    exec(bookedElsewhere(72, 2));
    answers.clear();
    open(
        [&](TreserveForm* d) {
            choose(d->reserveState, "预订中");
            click(d->applyButton);
            EXPECT_EQ(answers.texts(), QStringList{"台桌(104)已经被选择！"});
            const int duplicate = d->selectStringGrid->row();
            EXPECT_EQ(d->selectStringGrid->cell(1, duplicate), "104");
            click(d->deleteReserveButton);
            click(d->applyButton);
            EXPECT_EQ(answers.last(), "只能预订空闲的台桌!");
            EXPECT_EQ(d->selectStringGrid->cell(1, d->selectStringGrid->row()), "102");
            exec("update reserve set state='R004' where id=72");
            click(d->applyButton);
            EXPECT_FALSE(d->applyButton->isEnabled());
            exec("update reserve set state='R001' where id=72");  // an old double booking
            type(d->guestNum, "9");
            click(d->confirmButton);
            EXPECT_FALSE(d->isVisible());
        },
        loading());
    EXPECT_EQ(rows("select state,guest_num from reserve where id=50"), QStringList{"R001|9"});
    EXPECT_EQ(scalarInt("select count(*) from reserve_table where reserve_id=50 and table_id=4"), 1);
}
