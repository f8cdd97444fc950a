#include <QAction>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include "app/ProgramWindows.h"
#include "service/CelerityServingUnit.h"
#include "service/DishLineFixture.h"
#include "service/GridGestures.h"
#include "service/ServiceFixture.h"

class CelerityServingTest : public DishLineTest {
protected:
    void SetUp() override {
        DishLineTest::SetUp();
        addTableIns(500, QStringLiteral("牡丹厅"));
        addLine(57, 500, "MIP002/MI004/MI001");
        addLine(58, 500, "MIP003/MI004/MI005", QStringLiteral("扎啤"));  // returned, no ticket
        addLine(59, 77, "MIP001/MI004/MI001", QStringLiteral("米饭"), "P001", "MIR001");  // booked
        addLine(60, 999, "MIP001/MI004/MI001", QStringLiteral("米饭"));  // its table instance is gone
        // A booked table's line whose owner, a booking, has the id of the instance above.
        addLine(61, 500, "MIP001/MI004/MI001", QStringLiteral("米饭"), "P001", "MIR002");
        form = new TcelerityServingForm;
        form->show();
    }
    void TearDown() override {
        delete form;
        DishLineTest::TearDown();
    }
    // Types the code into the code field and presses Enter, as a scanner does.
    void scan(const QString& code, Qt::Key enter = Qt::Key_Return) {
        form->menuCode->clear();
        QTest::keyClicks(form->menuCode, code);
        QTest::keyClick(form->menuCode, enter);
    }
    TcelerityServingForm* form = nullptr;
};

TEST_F(CelerityServingTest, ScannedTicketServesItsLineOnceAndListsIt) {
    scan("6900100000057");
    EXPECT_EQ(lineField(57, "serving"), "MI003");
    EXPECT_EQ(form->tableName->text() + form->menuInsName->text() + form->menuCode->text(), "牡丹厅宫保鸡丁");
    EXPECT_EQ(rowCells(form->menuInsGrid, 1), QStringList({"1", "牡丹厅", "宫保鸡丁", "12.5", "2", "份", "正常", "已传", "打印完成"}));
    EXPECT_EQ(form->menuInsGrid->fixedRows(), 1);
    EXPECT_EQ(answers.count(), 0);

    scan("6900100000057");
    EXPECT_EQ(answers.last(), QStringLiteral("台桌(牡丹厅)的菜(宫保鸡丁)已上过！"));
    EXPECT_EQ(form->menuCode->text(), "6900100000057");
    EXPECT_EQ(form->tableName->text(), "");
    EXPECT_EQ(form->menuInsGrid->rowCount(), 2);
    // The release of the Enter that closed the message scans nothing.
    QTest::keyRelease(form->menuCode, Qt::Key_Return);
    EXPECT_EQ(answers.count(), 1);

    // Any prefix reads the same; a returned line without a ticket can be served too.
    scan("1234100000058", Qt::Key_Enter);
    EXPECT_EQ(lineField(58, "serving"), "MI003");
    EXPECT_EQ(rowCells(form->menuInsGrid, 2), QStringList({"2", "牡丹厅", "扎啤", "12.5", "2", "份", "退菜", "已传", "不打印"}));

    // "清屏" from the list's context menu empties it; the next served line is numbered 1 again.
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(20, 20));
    QApplication::sendEvent(form->menuInsGrid->viewport(), &rightClick);
    ASSERT_TRUE(form->PopupMenu->isVisible());
    QTest::mouseClick(form->PopupMenu, Qt::LeftButton, {}, form->PopupMenu->actionGeometry(form->clears).center());
    EXPECT_EQ(form->menuInsGrid->rowCount(), 1);
    exec("update menu_instance set serving='MI004' where id=57");
    scan("6900100000057");
    EXPECT_EQ(rowCells(form->menuInsGrid, 1).mid(0, 3), QStringList({"1", "牡丹厅", "宫保鸡丁"}));
}

TEST_F(CelerityServingTest, ForeignMalformedAndUnsavedCodesLeaveTheCodeAndTheList) {
    const QString missing = QStringLiteral("菜单不存在！");
    const QList<QPair<QString, QString>> cases = {
        {"6900100000059", missing}, {"6900100000060", missing}, {"6900100000999", missing},
        {"6900100000061", missing}, {"6900000000001", missing}, {"6900-2147483648", missing},
        {"6900abc", "'abc' 不是有效的整数"}, {"690", "'' 不是有效的整数"},
        {"69009999999999999", "'9999999999999' 不是有效的整数"},
        {"6900100000057", "修改菜单实例时出现异常!"}};  // the save fails
    failOn("UPDATE", "menu_instance");
    for (const auto& [code, message] : cases) {
        answers.clear();
        scan(code);
        EXPECT_EQ(answers.texts(), QStringList({message})) << code.toStdString();
        EXPECT_EQ(form->menuCode->text(), code);
        EXPECT_EQ(form->menuCode->selectedText(), code);
    }
    EXPECT_EQ(rows("select serving from menu_instance where id in (57,59,61)"), QStringList(3, "MI004"));
    EXPECT_EQ(form->menuInsGrid->rowCount(), 1);
    EXPECT_EQ(form->tableName->text(), "");

    // The next scan types over the code left selected, no clearing in between.
    exec("drop trigger " + scalar("select name from sqlite_master where type='trigger'"));
    QTest::keyClicks(form->menuCode, "6900100000057");
    QTest::keyClick(form->menuCode, Qt::Key_Return);
    EXPECT_EQ(lineField(57, "serving"), "MI003");
    EXPECT_EQ(form->menuCode->text(), "");
    EXPECT_EQ(form->menuInsGrid->rowCount(), 2);
}

TEST_F(CelerityServingTest, ALongDishNameIsCutSoThePriceToThePrintStateStayInTheList) {
    const QString longName = QString("宫保鸡丁配花生米").repeated(5);  // 40 characters
    addLine(62, 500, "MIP002/MI004/MI001", longName);
    scan("6900100000057");
    scan("6900100000062");
    TStringGrid* grid = form->menuInsGrid;
    ASSERT_EQ(grid->rowCount(), 3);
    EXPECT_EQ(grid->cell(2, 2), longName);
    EXPECT_EQ(grid->item(2, 2)->toolTip(), longName);
    EXPECT_EQ(grid->item(1, 2)->toolTip(), QString());  // a name shown whole has none
    const int last = grid->colCount() - 1;
    EXPECT_LE(grid->columnViewportPosition(last) + grid->columnWidth(last), grid->viewport()->width());
}

// In the main window, as at the kitchen pass: a scanner types into whatever has the
// keyboard focus.
class CelerityServingInMainTest : public WithDishLines<ServiceTest> {};

TEST_F(CelerityServingInMainTest, EveryScanLandsInTheCodeFieldWhenTheWindowComesToTheFront) {
    registerProgramWindows();
    addTableIns(500, QStringLiteral("牡丹厅"));
    addLine(57, 500, "MIP002/MI004/MI001");
    addLine(58, 500, "MIP002/MI004/MI001");
    TmainForm main;
    showLoggedIn(main, "admin", "admin");
    auto scanIntoTheFocus = [&](const QString& code) {
        for (QChar c : code) QTest::keyClick(main.windowHandle(), c.toLatin1());
        QTest::keyClick(main.windowHandle(), Qt::Key_Return);
    };
    auto* form = qobject_cast<TcelerityServingForm*>(main.openFunction(7));
    ASSERT_TRUE(form);
    scanIntoTheFocus("6900100000057");  // the first scan after opening
    EXPECT_EQ(lineField(57, "serving"), "MI003");

    // The runner clicked into the list, then another window came in front; bringing
    // the window back, from the tree or by the window list, gives the field the focus.
    form->menuInsGrid->setFocus();
    QMdiSubWindow* frame = main.mdiArea()->activeSubWindow();
    for (const std::function<void()>& bringBack :
         std::vector<std::function<void()>>{[&] { main.openFunction(7); },
                                            [&] { main.mdiArea()->setActiveSubWindow(frame); }}) {
        ASSERT_TRUE(main.openFunction(5));
        EXPECT_NE(main.focusWidget(), form->menuCode);
        bringBack();
        EXPECT_EQ(main.focusWidget(), form->menuCode);
    }
    scanIntoTheFocus("6900100000058");
    EXPECT_EQ(lineField(58, "serving"), "MI003");
    EXPECT_EQ(form->menuInsGrid->rowCount(), 3);
    EXPECT_EQ(answers.count(), 0);
}
