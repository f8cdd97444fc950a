#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>
#include <QSignalSpy>
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
    QSignalSpy doubles(&view, &TIconListView::doubleClicked);

    view.setSelectedItem(a);  // code changes are silent
    EXPECT_TRUE(selections.isEmpty());
    EXPECT_TRUE(a->isSelected() && !b->isSelected());
    click(centreOf(b));
    click(QPoint(350, 20));
    EXPECT_EQ(view.selectedItem(), nullptr);
    EXPECT_EQ(selections, (Selections{{a, false}, {b, true}, {b, false}}));
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, centreOf(a));
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, QPoint(350, 20));
    ASSERT_EQ(doubles.count(), 2);
    EXPECT_EQ(doubles[0][0].value<TIconListItem*>(), a);
    EXPECT_EQ(doubles[1][0].value<TIconListItem*>(), nullptr);

    view.removeItem(a);
    EXPECT_EQ(view.selectedItem(), nullptr);
    // A map refresh inside the handler deletes the item about to be selected.
    a = view.addItem();
    view.setSelectedItem(a);
    QObject::connect(&view, &TIconListView::itemSelected, [&](TIconListItem*, bool) { view.clear(); });
    selections.clear();
    click(centreOf(b));
    EXPECT_EQ(selections, (Selections{{a, false}}));
    EXPECT_EQ(view.count(), 0);
}

TEST_F(IconListViewTest, DragsReportTheDropPointInContentCoordinatesOnlyWhenEnabled) {
    QSignalSpy drops(&view, &TIconListView::dropped);
    QPixmap blue(53, 39);
    blue.fill(Qt::blue);
    view.setImageList({blue});
    a->setImageIndex(0);
    b->setPosition(QPoint(900, 700));
    view.verticalScrollBar()->setValue(10);
    const QPoint by(60, 40);
    for (bool enabled : {false, true}) {
        view.setDragEnabled(enabled);
        const QPoint from = centreOf(a);
        QTest::mousePress(view.viewport(), Qt::LeftButton, {}, from);
        QTest::mouseMove(view.viewport(), from + by / 2);
        QTest::mouseMove(view.viewport(), from + by);
        // While dragged, the item is drawn where the pointer took it too.
        const QRect ghost = view.itemRect(a).translated(by);
        const QPoint icon = view.mapFromContents(QPoint(ghost.center().x(), ghost.top() + 20));
        const QColor seen(view.viewport()->grab().toImage().pixel(icon));
        EXPECT_EQ(seen.blue() > 150 && seen.red() < 200, enabled);
        QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, from + by);
    }
    ASSERT_EQ(drops.count(), 1);
    EXPECT_EQ(drops[0][0].toPoint(), view.itemRect(a).center() + by);
    EXPECT_EQ(a->position(), QPoint(20, 20));  // the view itself moves nothing

    // A map refresh that takes the dragged item away ends the drag: nothing is dropped.
    const QPoint from = centreOf(a);
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(view.viewport(), from + by / 2);
    view.removeItem(a);
    QTest::mouseMove(view.viewport(), from + by);
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, from + by);
    EXPECT_EQ(drops.count(), 1);
}

TEST_F(IconListViewTest, APlainWheelScrollsAPlanThatIsOnlyWideSideways) {
    auto wheel = [this] {
        QWheelEvent event(QPointF(50, 50), view.viewport()->mapToGlobal(QPointF(50, 50)), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.viewport(), &event);
    };
    b->setPosition(QPoint(1500, 100));
    ASSERT_EQ(view.verticalScrollBar()->maximum(), 0);
    wheel();
    EXPECT_GT(view.horizontalScrollBar()->value(), 0);
    // Once the plan is tall too, the wheel scrolls down as usual.
    view.horizontalScrollBar()->setValue(0);
    b->setPosition(QPoint(1500, 1500));
    wheel();
    EXPECT_EQ(view.horizontalScrollBar()->value(), 0);
    EXPECT_GT(view.verticalScrollBar()->value(), 0);
}

TEST_F(IconListViewTest, ALargerFontMakesRoomForTheCaptions) {
    const int before = view.itemRect(b).height();
    QFont larger = view.font();
    larger.setPointSizeF(larger.pointSizeF() * 2);
    view.setFont(larger);
    EXPECT_GT(view.itemRect(b).height(), before);
}

TEST_F(IconListViewTest, RendersIconsAboveCaptionsAndSkipsMissingImages) {
    QPixmap blue(53, 39);
    blue.fill(Qt::blue);
    view.setImageList({blue});
    b->setImageIndex(0);
    a->setImageIndex(7);  // no such image
    const QImage shot = view.grab().toImage();
    const QRect cell = view.itemRect(b);
    EXPECT_GT(QColor(shot.pixel(cell.center().x(), cell.top() + 20)).blue(), 150);
    int inked = 0;  // the caption, below the icon
    for (int y = cell.top() + 45; y < cell.bottom(); ++y)
        for (int x = cell.left(); x < cell.right(); ++x) inked += shot.pixel(x, y) != shot.pixel(cell.left(), cell.bottom());
    EXPECT_GT(inked, 20);
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
