#include <QTest>
#include <gtest/gtest.h>

#include "platform/IconListView.h"

namespace {
struct IconListViewTest : ::testing::Test {
    TIconListView view;
    TIconListItem* a = nullptr;
    TIconListItem* b = nullptr;
    void SetUp() override {
        view.resize(400, 300);
        a = add("101", QPoint(20, 20));
        b = add("牡丹厅", QPoint(200, 100));
        view.show();
    }
    TIconListItem* add(const QString& caption, QPoint at) {
        TIconListItem* item = view.addItem();
        item->setCaption(caption);
        item->setPosition(at);
        return item;
    }
    QPoint centreOf(TIconListItem* item) { return view.mapFromContents(view.itemRect(item).center()); }
    void click(QPoint p) { QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, p); }
};
using Selections = QList<QPair<TIconListItem*, bool>>;
}  // namespace

TEST_F(IconListViewTest, ReportsOnlyTheUsersSelectionsAndSurvivesAHandlerEmptyingIt) {
    Selections selections;
    QObject::connect(&view, &TIconListView::itemSelected, [&](TIconListItem* i, bool on) { selections << qMakePair(i, on); });

    view.setSelectedItem(a);  // code changes are silent
    click(QPoint(350, 20));
    EXPECT_EQ(selections, (Selections{{a, false}}));

    // A map refresh inside the handler deletes the item about to be selected.
    a = view.addItem();
    view.setSelectedItem(a);
    QObject::connect(&view, &TIconListView::itemSelected, [&](TIconListItem*, bool) { view.clear(); });
    selections.clear();
    click(centreOf(b));
    EXPECT_EQ(selections, (Selections{{a, false}}));
    EXPECT_EQ(view.count(), 0);
}

TEST_F(IconListViewTest, AHandlerRemovingOnlyTheDeselectedItemStillGetsTheNewSelection) {
    Selections selections;
    view.setSelectedItem(a);
    QObject::connect(&view, &TIconListView::itemSelected, [&](TIconListItem* i, bool on) {
        selections << qMakePair(i, on);
        if (!on) view.removeItem(i);  // e.g. a table that left the map with the deselection
    });
    TIconListItem* gone = a;
    click(centreOf(b));
    EXPECT_EQ(selections, (Selections{{gone, false}, {b, true}}));
    EXPECT_EQ(view.selectedItem(), b);
    EXPECT_EQ(view.count(), 1);
}
