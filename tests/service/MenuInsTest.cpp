#include <QClipboard>
#include <QGuiApplication>

#include "service/ServiceFixture.h"

namespace {
std::shared_ptr<TPOMenuIns> line(const QString& printerCode, const QString& printState) {
    auto l = std::make_shared<TPOMenuIns>();
    l->setMenuName(QStringLiteral("宫保鸡丁"));
    l->setQuantity(2);
    l->setState(TPOMenuIns::stateNormal);
    l->setServing(TPOMenuIns::servingWaiting);
    l->setPrinterCode(printerCode);
    l->setPrintState(printState);
    return l;
}

// Shows the editor over the line, runs the action while it is open.
std::shared_ptr<TPOMenuIns> edit(std::shared_ptr<TPOMenuIns> l, std::function<void(TmenuInsForm*)> action) {
    DialogScript script;
    script.expect<TmenuInsForm>(std::move(action));
    TmenuInsForm form;
    return form.showMenuIns(std::move(l));
}
}  // namespace

using MenuInsTest = ServiceTest;

TEST_F(MenuInsTest, NoTicketPrinterLocksThePrintStateUntilAnotherPrinterIsChosen) {
    auto l = edit(line("P003", TPOMenuIns::printNone), [&](TmenuInsForm* d) {
        EXPECT_EQ(d->printName->currentText() + d->printState->currentText(), "不打印不打印");
        EXPECT_FALSE(d->printState->isEnabled());
        EXPECT_TRUE(d->applyButton->isEnabled());
        choose(d->printName, "厨房");
        EXPECT_TRUE(d->printState->isEnabled());
        EXPECT_EQ(d->printState->currentText(), "不打印");
        choose(d->printState, "未打印");
        click(d->applyButton);
        EXPECT_FALSE(d->applyButton->isEnabled());
        choose(d->printName, "不打印");
        EXPECT_FALSE(d->printState->isEnabled());
        EXPECT_TRUE(d->applyButton->isEnabled());
        click(d->cancelButton);  // what "应用" saved stays
    });
    EXPECT_EQ(l->getPrinterCode(), "P001");
    EXPECT_EQ(l->getPrintState(), TPOMenuIns::printWaiting);
}

TEST_F(MenuInsTest, QuantityTakesOnlyDigitsAndOnePointTypedOrPasted) {
    auto l = line("P001", TPOMenuIns::printWaiting);
    edit(l, [&](TmenuInsForm* d) {
        type(d->quantity, "1a.5.-");
        EXPECT_EQ(d->quantity->text(), "1.5");
        type(d->quantity, "7");
        QGuiApplication::clipboard()->setText("-5");
        QTest::keyClick(d->quantity, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(d->quantity->text(), "7");
        QGuiApplication::clipboard()->setText("5");
        QTest::keyClick(d->quantity, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(d->quantity->text(), "75");
        d->quantity->clear();
        // Leaving it empty: a message, and the focus goes back.
        d->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(d));
        d->quantity->setFocus();
        d->description->setFocus();
        EXPECT_EQ(answers.last(), "输入的值不能为空!");
        EXPECT_TRUE(d->quantity->hasFocus());
        // Confirming the empty quantity fails before anything reaches the line.
        choose(d->menuState, "赠送");
        choose(d->serving, "已传");
        answers.clear();
        click(d->confirmButton);
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(answers.seen.value(answers.count() - 1).kind, MsgError);
        EXPECT_EQ(l->getState() + l->getServing(), TPOMenuIns::stateNormal + TPOMenuIns::servingWaiting);
        type(d->quantity, "3.5");
        d->description->insertPlainText("不要葱");
        click(d->confirmButton);
        EXPECT_FALSE(d->isVisible());
    });
    EXPECT_EQ(l->getQuantity(), 3.5);
    EXPECT_EQ(l->getState() + l->getServing(), TPOMenuIns::stateGift + TPOMenuIns::servingDone);
    EXPECT_EQ(l->getDescription(), "不要葱");
}

TEST_F(MenuInsTest, CodesWithoutAnItemAreKept) {
    auto odd = line("P009", TPOMenuIns::printWaiting);
    odd->setState(TPOMenuIns::stateNoDiscount);
    odd = edit(odd, [&](TmenuInsForm* d) {
        EXPECT_EQ(d->printName->currentIndex(), -1);
        EXPECT_EQ(d->menuState->currentIndex(), -1);
        click(d->confirmButton);
    });
    EXPECT_EQ(odd->getPrinterCode() + odd->getState(), "P009" + TPOMenuIns::stateNoDiscount);
}
