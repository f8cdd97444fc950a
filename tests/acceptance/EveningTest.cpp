// One evening of a new restaurant, driven through the main window as its staff would:
// the administrator sets it up, a booking is taken, the waiter serves, the cashier
// checks out and closes the day, the administrator reads the reports. The database
// comes from makedb, and the clock is set for every step.
#include <QAction>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTimeEdit>
#include <QTreeWidget>

#include "app/ProgramWindows.h"
#include "backoffice/MenuAttrUnit.h"
#include "backoffice/MenuTypeAttrUnit.h"
#include "backoffice/TableAttribUnit.h"
#include "frame/FloorButtonsUnit.h"
#include "frame/MenuButtonUnit.h"
#include "frame/MenuTypeButtonUnit.h"
#include "frame/TableMapUnit.h"
#include "platform/Printers.h"
#include "reservation/ReserveManageUnit.h"
#include "reservation/ReserveUnit.h"
#include "service/CarteUnit.h"
#include "service/ServiceFixture.h"

namespace {
// Friday 14 June 2024, the evening of the test.
TDateTime at(int hour, int minute) { return encodeDateTime(2024, 6, 14, hour, minute, 0); }

struct Dish {
    const char* category;
    const char* name;
    const char* price;
    const char* unit;
    const char* printer;
};
const Dish dishes[] = {
    {"热菜", "宫保鸡丁", "38", "份", "厨房"},   {"热菜", "红烧肉", "58", "份", "厨房"},
    {"热菜", "清蒸鲈鱼", "88.5", "条", "厨房"}, {"酒水", "青岛啤酒", "8", "瓶", "不打印"},
    {"酒水", "鲜榨橙汁", "22", "杯", "吧台"},   {"酒水", "米饭", "2", "碗", "厨房"},
};

class EveningTest : public ServiceTest {
protected:
    QStringList fixtures() const override { return {}; }
    // The file a restaurant starts with: made by the makedb tool itself.
    QString createDatabase(const QString& path, const QStringList&) override {
        QProcess makedb;
        makedb.setWorkingDirectory(sourcePath(QString()));
        makedb.start(QStringLiteral(HELAN_MAKEDB), {path});
        if (!makedb.waitForFinished(30000) || makedb.exitCode() != 0)
            return "makedb failed: " + QString::fromLocal8Bit(makedb.readAllStandardError());
        return QString();
    }
    void SetUp() override {
        ServiceTest::SetUp();
        registerProgramWindows();
        main = new TmainForm;
        main->setAttribute(Qt::WA_DeleteOnClose);
    }
    void TearDown() override {
        stopRedirectingPrinting();
        ServiceTest::TearDown();
    }

    // The function tree as text: top-level nodes, children in brackets.
    QStringList tree() const {
        QStringList out;
        for (int i = 0; i < main->functionTree->topLevelItemCount(); ++i) {
            QTreeWidgetItem* node = main->functionTree->topLevelItem(i);
            QStringList children;
            for (int c = 0; c < node->childCount(); ++c) children << node->child(c)->text(0);
            out << node->text(0) + (children.isEmpty() ? "" : "[" + children.join(",") + "]");
        }
        return out;
    }
    // Double-clicks a node of the function tree and gives the window it brought forward.
    template <class Window>
    Window* open(const QString& node) {
        auto found = main->functionTree->findItems(node, Qt::MatchExactly | Qt::MatchRecursive);
        EXPECT_EQ(found.size(), 1) << node.toStdString();
        if (found.isEmpty()) return nullptr;
        QTreeWidget* t = main->functionTree;
        const QPoint p = t->visualItemRect(found.first()).center();
        QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, p);
        QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, p);
        auto* window = qobject_cast<Window*>(main->mdiArea()->activeSubWindow()
                                                 ? main->mdiArea()->activeSubWindow()->widget()
                                                 : nullptr);
        EXPECT_TRUE(window) << node.toStdString() << " opened no " << Window::staticMetaObject.className();
        return window;
    }
    QAction* menuItem(const QString& menu, const QString& item) const {
        for (QAction* m : main->menuBar()->actions())
            if (m->text() == menu)
                for (QAction* a : m->menu()->actions())
                    if (a->text() == item) return a;
        ADD_FAILURE() << "no menu item " << item.toStdString();
        return nullptr;
    }
    void switchUser(const QString& user, const QString& password) {
        aboutThenLogin(user, password, [&] { menuItem("文件(&F)", "切换用户(&W)")->trigger(); });
        ASSERT_EQ(currentUserName, scalar("select user_name from employee where login_name='" + user + "'"));
    }
    // Closes a function window with its frame's close box.
    void closeWindow(QWidget* window) {
        if (auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget())) frame->close();
        flushDeletes();
    }

    int tableId(const QString& name) { return scalarInt("select id from table_spec where table_name='" + name + "'"); }
    // Clicks (and double-clicks) a table of a map as a person does.
    void clickTable(TTableListView* map, const QString& name, bool twice = false) {
        TTableItem* item = map->findTableItem(tableId(name));
        ASSERT_TRUE(item) << "table " << name.toStdString() << " is not on the map";
        const QPoint p = map->mapFromContents(map->itemRect(item).center());
        QTest::mouseClick(map->viewport(), Qt::LeftButton, {}, p);
        if (twice) QTest::mouseDClick(map->viewport(), Qt::LeftButton, {}, p);
    }
    // The dish-choosing window: each dish clicked in its category, "+" for more
    // than one, then "确定".
    static std::function<void(TcarteForm*)> order(const QList<std::pair<QString, int>>& dishesAndCounts) {
        return [dishesAndCounts](TcarteForm* d) {
            for (const auto& [dish, count] : dishesAndCounts) {
                QString category;
                for (const Dish& known : dishes)
                    if (dish == known.name) category = known.category;
                for (TMenuTypeButton* b : d->menuTypeButtons)
                    if (b->isVisible() && b->getName() == category) QTest::mouseClick(b, Qt::LeftButton);
                TMenuButton* button = nullptr;
                for (TMenuButton* b : d->menuButtons)
                    if (b->isVisible() && b->getName() == dish) button = b;
                ASSERT_TRUE(button) << dish.toStdString();
                QTest::mouseClick(button, Qt::LeftButton);
                for (int i = 1; i < count; ++i) click(d->addMenuIns);
            }
            click(d->confirmButton);
        };
    }

    // Step 1: meal periods, the menu, the tables and the staff, all through the windows.
    void setUpTheRestaurant();
    // Step 2: a booking of two tables for dinner, with dishes ordered for each.
    void bookTonight();

    TmainForm* main = nullptr;
};

void EveningTest::setUpTheRestaurant() {
    setNowForTest(at(14, 30));
    showLoggedIn(*main, "admin", "admin");
    EXPECT_EQ(tree(), QStringList({"收银台", "营业管理", "传菜管理", "预订管理", "扎账管理",
                                   "后台维护[菜单维护,桌台维护,员工管理]",
                                   "报表统计[营业清单,营业额统计,营业菜单统计]"}));

    // Three meal periods in "选项".
    {
        DialogScript script;
        script.expect<ToptionForm>([](ToptionForm* d) {
            for (auto [name, from, to] : {std::tuple{"早餐", QTime(6, 30), QTime(9, 30)},
                                          std::tuple{"午餐", QTime(11, 0), QTime(14, 0)},
                                          std::tuple{"晚餐", QTime(17, 0), QTime(21, 30)}}) {
                click(d->addEatBtn);
                type(d->eatName, name);
                d->startTime->setTime(from);
                d->endTime->setTime(to);
                click(d->applyBtn);
            }
            d->close();
        });
        menuItem("工具(&T)", "选项")->trigger();
    }
    EXPECT_EQ(rows("select name, round(start_time*1440), round(end_time*1440) from eat order by start_time"),
              QStringList({"早餐|390|570", "午餐|660|840", "晚餐|1020|1290"}));

    // Two categories, then three dishes in each, named and priced in their dialogs.
    auto* menu = open<TmenuManageForm>("菜单维护");
    ASSERT_TRUE(menu);
    for (const char* category : {"热菜", "酒水"}) {
        rightClick(menu->menuTypePanel, QPoint(10, menu->menuTypePanel->height() - 5));
        choose(menu->menuTypePopupMenu, "添加菜类");
        TMenuTypeButton* added = nullptr;
        for (TMenuTypeButton* b : menu->menuTypeButtons)
            if (b->isVisible() && b->getName().startsWith("新增菜类")) added = b;
        ASSERT_TRUE(added);
        QTest::mouseClick(added, Qt::LeftButton);
        DialogScript script;
        script.expect<TMenuTypeAttrForm>([&](TMenuTypeAttrForm* d) {
            type(d->menuTypeName, category);
            click(d->confirmButton);
        });
        rightClick(added);
        choose(menu->menuTypePopupMenu, "修改菜类");
        EXPECT_EQ(added->text(), category);
    }
    for (const Dish& dish : dishes) {
        for (TMenuTypeButton* b : menu->menuTypeButtons)
            if (b->isVisible() && b->getName() == dish.category) QTest::mouseClick(b, Qt::LeftButton);
        rightClick(menu->menuPanel, QPoint(10, menu->menuPanel->height() - 5));
        choose(menu->menuPopupMenu, "新建菜单");
        TMenuButton* added = nullptr;
        for (TMenuButton* b : menu->menuButtons)
            if (b->isVisible() && b->getName().startsWith("新增菜")) added = b;
        ASSERT_TRUE(added);
        QTest::mouseClick(added, Qt::LeftButton);
        DialogScript script;
        script.expect<TmenuAttrForm>([&](TmenuAttrForm* d) {
            type(d->menuName, dish.name);
            type(d->menuPrice, dish.price);
            type(d->menuUnit, dish.unit);
            choose(d->printName, dish.printer);
            click(d->confirmButton);
        });
        rightClick(added);
        choose(menu->menuPopupMenu, "修改菜单");
        EXPECT_EQ(added->getName(), dish.name);
    }
    EXPECT_EQ(rows("select t.name, m.seq, m.menu_name, m.price, m.unit, m.state, m.printer_code from menu m "
                   "join menu_type t on t.id=m.menu_type_id order by t.seq, m.seq"),
              QStringList({"热菜|1|宫保鸡丁|38|份|M001|P001", "热菜|2|红烧肉|58|份|M001|P001",
                           "热菜|3|清蒸鲈鱼|88.5|条|M001|P001", "酒水|1|青岛啤酒|8|瓶|M001|P003",
                           "酒水|2|鲜榨橙汁|22|杯|M001|P002", "酒水|3|米饭|2|碗|M001|P001"}));
    closeWindow(menu);

    // Eight tables, four on each of two floors, each placed where the popup opened.
    auto* layout = open<TtableManageForm>("桌台维护");
    ASSERT_TRUE(layout);
    for (int floor = 1; floor <= 2; ++floor) {
        click(layout->floorButtons->getFloorButton(floor));
        for (int i = 1; i <= 4; ++i) {
            const QString name = QString::number(floor * 100 + i);
            DialogScript script;
            script.expect<TtableAttribForm>([&](TtableAttribForm* d) {
                type(d->nameTable, name);
                type(d->seatTable, i == 4 ? "10" : "4");
                click(d->confirmButton);
            });
            TTableListView* plan = layout->tableListView;
            rightClick(plan->viewport(), plan->mapFromContents(QPoint(30 + 110 * (i - 1), 40 + 60 * (i % 2))));
            choose(layout->tablePopupMenu, "新建");
        }
        EXPECT_EQ(layout->tableListView->count(), 4);
    }
    EXPECT_EQ(rows("select floor, group_concat(table_name), sum(seat) from "
                   "(select * from table_spec order by floor, table_name) group by floor"),
              QStringList({"1|101,102,103,104|22", "2|201,202,203,204|22"}));
    closeWindow(layout);

    // A team with a waiter and a cashier, each holding only the rights of the work.
    auto* staff = open<TemployeeManageForm>("员工管理");
    ASSERT_TRUE(staff);
    staff->addTeam->trigger();
    auto node = [&](const QString& text) {
        return staff->teamTree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive).value(0);
    };
    ASSERT_TRUE(node("新建团队"));
    staff->teamTree->setCurrentItem(node("新建团队"));
    staff->changeName->trigger();
    auto* editor = staff->teamTree->viewport()->findChild<QLineEdit*>();
    ASSERT_TRUE(editor);
    type(editor, "晚班");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    flushDeletes();
    ASSERT_TRUE(node("晚班"));
    QTest::mouseClick(staff->teamTree->viewport(), Qt::LeftButton, {},
                      staff->teamTree->visualItemRect(node("晚班")).center());
    for (auto [login, name, role, rights] :
         {std::tuple{"xiaowang", "小王", "服务员", QStringList({"营业管理", "传菜管理"})},
          std::tuple{"xiaoli", "小李", "收银员", QStringList({"收银台", "扎账管理"})}}) {
        click(staff->createEmployee);
        type(staff->loginName, login);
        type(staff->password, "8888");
        type(staff->userName, name);
        type(staff->roleName, role);
        staff->rightList->clearSelection();
        for (const QString& right : rights) {
            QListWidgetItem* item = staff->rightList->findItems(right, Qt::MatchExactly).value(0);
            ASSERT_TRUE(item) << right.toStdString();
            QTest::mouseClick(staff->rightList->viewport(), Qt::LeftButton, Qt::ControlModifier,
                              staff->rightList->visualItemRect(item).center());
        }
        click(staff->selectRightBtn);
        click(staff->saveEmployee);
    }
    EXPECT_EQ(rows("select e.login_name, e.user_name, t.name, group_concat(r.right_number) from employee e "
                   "join team t on t.id=e.team_id join (select * from employee_right order by right_number) r "
                   "on r.employee_id=e.id where e.id<>1 group by e.id order by e.id"),
              QStringList({"xiaowang|小王|晚班|celerityServing,sell", "xiaoli|小李|晚班|prickManage,tollStation"}));
    closeWindow(staff);
}

void EveningTest::bookTonight() {
    setNowForTest(at(16, 0));
    auto* overview = open<TreserveManageForm>("预订管理");
    ASSERT_TRUE(overview);
    EXPECT_EQ(overview->eatComboBox->currentText(), "晚餐");  // the next period to start
    DialogScript script;
    script.expect<TreserveForm>([&](TreserveForm* d) {
        clickTable(d->tableListView, "103", true);
        clickTable(d->tableListView, "104", true);
        for (int row : {1, 2}) {
            clickRow(d->selectStringGrid, row);
            click(d->singleAddMenu);
        }
        type(d->guestName, "周先生");
        type(d->telephone, "13812345678");
        type(d->guestNum, "14");
        click(d->confirmButton);
    });
    script.expect<TcarteForm>(order({{"宫保鸡丁", 1}, {"红烧肉", 1}}));
    script.expect<TcarteForm>(order({{"清蒸鲈鱼", 2}, {"青岛啤酒", 6}}));
    click(overview->reserveBtn);

    const QString today = QString::number(dayNumber(QDate(2024, 6, 14)));
    EXPECT_EQ(rows("select guest_name, telephone, guest_num, state from reserve"),
              QStringList{"周先生|13812345678|14|R001"});
    EXPECT_EQ(rows("select table_name, eat, eat_date, state from reserve_table order by table_name"),
              QStringList({"103|晚餐|" + today + "|RT001", "104|晚餐|" + today + "|RT001"}));
    EXPECT_EQ(rows("select t.table_name, m.menu_name, m.quantity, m.price from menu_instance m join reserve_table t "
                   "on t.id=m.consult_id and m.rela_type='MIR002' order by m.id"),
              QStringList({"103|宫保鸡丁|1|38", "103|红烧肉|1|58", "104|清蒸鲈鱼|2|88.5", "104|青岛啤酒|6|8"}));
    // The list and the map show the booking at once.
    EXPECT_EQ(overview->reserveStringGrid->cell(1, 1), "周先生");
    EXPECT_EQ(overview->reserveStringGrid->cell(4, 1), "2");
    EXPECT_EQ(overview->tableListView->findTableItem(tableId("103"))->imageIndex(), 2);
    // Before dinner nothing is booked for lunch.
    choose(overview->eatComboBox, "午餐");
    EXPECT_EQ(overview->tableListView->findTableItem(tableId("103"))->imageIndex(), 0);
    closeWindow(overview);
}
}  // namespace

TEST_F(EveningTest, ADinnerServiceFromSetUpToTheReports) {
    setUpTheRestaurant();
    bookTonight();
    EXPECT_EQ(answers.texts(), QStringList());
}
