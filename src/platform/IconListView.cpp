#include "platform/IconListView.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextLayout>
#include <QWheelEvent>
#include <cmath>
#include <cstdlib>
#include <algorithm>

namespace {
const int padding = 2;      // around the icon and the caption
const int captionGap = 3;   // between icon and caption
const int captionLines = 2;
const int minCellWidth = 72;
}  // namespace

void TIconListItem::setCaption(const QString& text) {
    captionText = text;
    changed();
}

void TIconListItem::setImageIndex(int index) {
    image = index;
    changed();
}

void TIconListItem::setPosition(const QPoint& p) {
    pos = TIconListView::clampToPlan(p);
    changed();
}

bool TIconListItem::isSelected() const { return view && view->selectedItem() == this; }

void TIconListItem::changed() {
    if (view) view->itemChanged();
}

TIconListView::TIconListView(QWidget* parent) : QAbstractScrollArea(parent) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

TIconListView::~TIconListView() = default;

void TIconListView::setImageList(const QList<QPixmap>& list) {
    images = list;
    itemChanged();
}

void TIconListView::clear() {
    selected = nullptr;
    pressItem = nullptr;
    dragging = false;
    items.clear();
    itemChanged();
}

TIconListItem* TIconListView::addItem(std::unique_ptr<TIconListItem> item) {
    if (!item) item = std::make_unique<TIconListItem>();
    item->view = this;
    items.push_back(std::move(item));
    itemChanged();
    return items.back().get();
}

TIconListItem* TIconListView::item(int index) const {
    if (index < 0 || index >= count()) return nullptr;
    return items[size_t(index)].get();
}

int TIconListView::indexOf(const TIconListItem* it) const {
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].get() == it) return int(i);
    return -1;
}

void TIconListView::removeItem(TIconListItem* it) {
    int i = indexOf(it);
    if (i < 0) return;
    if (selected == it) selected = nullptr;
    if (pressItem == it) {
        pressItem = nullptr;
        dragging = false;
    }
    items.erase(items.begin() + i);
    itemChanged();
}

void TIconListView::setSelectedItem(TIconListItem* it) {
    if (it && indexOf(it) < 0) return;
    selected = it;
    viewport()->update();
}

QPoint TIconListView::clampToPlan(const QPoint& p) {
    return QPoint(std::clamp(p.x(), 0, maxPosition), std::clamp(p.y(), 0, maxPosition));
}

QSize TIconListView::iconSize() const {
    QSize size(0, 0);
    for (const QPixmap& pm : images) size = size.expandedTo(pm.deviceIndependentSize().toSize());
    return size.isEmpty() ? QSize(32, 32) : size;
}

int TIconListView::cellWidth() const { return std::max(minCellWidth, iconSize().width() + 4 * padding); }

int TIconListView::lineHeight() const {
    if (cachedLineHeight == 0) {
        // Chinese glyphs come from a fallback font that may be taller than the
        // widget's own font, so measure a line that holds one.
        QTextLayout probe(QStringLiteral("汉Ag"), font());
        probe.beginLayout();
        QTextLine line = probe.createLine();
        probe.endLayout();
        cachedLineHeight = std::max(QFontMetrics(font()).lineSpacing(), int(std::ceil(line.height())));
    }
    return cachedLineHeight;
}

QSize TIconListView::itemSize() const {
    return QSize(cellWidth(), padding + iconSize().height() + captionGap + captionLines * lineHeight() + padding);
}

QRect TIconListView::itemRect(const TIconListItem* it) const {
    return it ? QRect(it->position(), itemSize()) : QRect();
}

QRect TIconListView::captionRect(const QRect& cell) const {
    int top = cell.top() + padding + iconSize().height() + captionGap;
    return QRect(cell.left() + padding, top, cell.width() - 2 * padding, captionLines * lineHeight());
}

QStringList TIconListView::captionLayout(const QString& text, int width) const {
    // Names rarely have blanks (Chinese), so lines break at any character; what
    // does not fit in the last line ends in an ellipsis.
    QFontMetrics fm(font());
    QStringList lines;
    QString rest = text;
    while (lines.size() < captionLines - 1 && fm.horizontalAdvance(rest) > width) {
        int n = 1;
        while (n < rest.size() && fm.horizontalAdvance(rest.left(n + 1)) <= width) ++n;
        lines << rest.left(n);
        rest = rest.mid(n);
    }
    if (!rest.isEmpty()) lines << fm.elidedText(rest, Qt::ElideRight, width);
    return lines;
}

void TIconListView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        cachedLineHeight = 0;
        itemChanged();
    }
    QAbstractScrollArea::changeEvent(event);
}

TIconListItem* TIconListView::itemAt(const QPoint& contentPos) const {
    // Later items are drawn on top, so they are hit first.
    for (auto it = items.rbegin(); it != items.rend(); ++it)
        if (itemRect(it->get()).contains(contentPos)) return it->get();
    return nullptr;
}

QPoint TIconListView::mapToContents(const QPoint& viewportPos) const {
    return viewportPos + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

QPoint TIconListView::mapFromContents(const QPoint& contentPos) const {
    return contentPos - QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

QSize TIconListView::sizeHint() const { return QSize(400, 300); }

void TIconListView::itemChanged() {
    updateScrollBars();
    viewport()->update();
}

QSize TIconListView::contentsSize() const {
    int right = 0, bottom = 0;
    for (const auto& it : items) {
        QRect r = itemRect(it.get());
        right = std::max(right, r.right() + 1 + contentMargin);
        bottom = std::max(bottom, r.bottom() + 1 + contentMargin);
    }
    return QSize(right, bottom);
}

void TIconListView::updateScrollBars() {
    const QSize contents = contentsSize();
    const QSize vp = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, contents.width() - vp.width()));
    horizontalScrollBar()->setPageStep(vp.width());
    verticalScrollBar()->setRange(0, std::max(0, contents.height() - vp.height()));
    verticalScrollBar()->setPageStep(vp.height());
    // An arrow click or a wheel notch moves by part of an icon, not by one pixel.
    const QSize item = itemSize();
    horizontalScrollBar()->setSingleStep(std::max(1, item.width() / 2));
    verticalScrollBar()->setSingleStep(std::max(1, item.height() / 2));
}

void TIconListView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void TIconListView::scrollContentsBy(int, int) { viewport()->update(); }

void TIconListView::wheelEvent(QWheelEvent* event) {
    // A plan wider than the view but not taller: the plain wheel scrolls it sideways.
    const QPoint delta = event->angleDelta();
    if (verticalScrollBar()->maximum() == 0 && std::abs(delta.y()) > std::abs(delta.x())) {
        QCoreApplication::sendEvent(horizontalScrollBar(), event);
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

void TIconListView::paintItem(QPainter& p, const TIconListItem& it, const QRect& cell, bool ghost) const {
    const QPalette& pal = palette();
    bool isSel = !ghost && selected == &it;
    QSize icon = iconSize();
    QRect iconRect(cell.left() + (cell.width() - icon.width()) / 2, cell.top() + padding, icon.width(), icon.height());
    p.save();
    if (ghost) p.setOpacity(0.5);
    if (it.imageIndex() >= 0 && it.imageIndex() < images.size()) {
        const QPixmap& pm = images[it.imageIndex()];
        QSize s = pm.deviceIndependentSize().toSize();
        p.drawPixmap(QPoint(iconRect.left() + (icon.width() - s.width()) / 2, iconRect.top() + (icon.height() - s.height()) / 2), pm);
    }
    if (isSel) {
        QColor tint = pal.color(QPalette::Highlight);
        tint.setAlpha(70);
        p.fillRect(iconRect.adjusted(-padding, -padding, padding, padding), tint);
    }
    QRect capArea = captionRect(cell);
    QFontMetrics fm(font());
    QColor textColor = isSel ? pal.color(QPalette::HighlightedText)
                             : pal.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text);
    int y = capArea.top();
    for (const QString& line : captionLayout(it.caption(), capArea.width())) {
        QRect lineRect(capArea.left(), y, capArea.width(), lineHeight());
        if (isSel) {
            int w = fm.horizontalAdvance(line) + 4;
            p.fillRect(QRect(lineRect.center().x() - w / 2, y, w, lineHeight()), pal.color(QPalette::Highlight));
        }
        p.setPen(textColor);
        p.drawText(lineRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, line);
        y += lineHeight();
    }
    p.restore();
}

void TIconListView::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    p.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    for (const auto& it : items) paintItem(p, *it, itemRect(it.get()), false);
    if (dragging && pressItem) {
        QRect cell = itemRect(pressItem).translated(dragPos - pressPos);
        paintItem(p, *pressItem, cell, true);
    }
}

void TIconListView::selectByUser(TIconListItem* it) {
    if (it == selected) return;
    TIconListItem* old = selected;
    selected = it;
    viewport()->update();
    if (old) emit itemSelected(old, false);
    // A handler may have removed items: the new one is reported only while it is still
    // there and selected (removing it clears the selection).
    if (it && selected == it && indexOf(it) >= 0) emit itemSelected(it, true);
}

void TIconListView::mousePressEvent(QMouseEvent* event) {
    QPoint pos = mapToContents(event->position().toPoint());
    TIconListItem* hit = itemAt(pos);
    selectByUser(hit);
    // The handlers may have removed the pressed item.
    pressItem = (hit && indexOf(hit) >= 0 && event->button() == Qt::LeftButton) ? hit : nullptr;
    pressPos = pos;
    dragging = false;
    emit mousePressed(pos, event->button());
}

void TIconListView::mouseMoveEvent(QMouseEvent* event) {
    if (!dragOn || !pressItem) return;
    QPoint pos = mapToContents(event->position().toPoint());
    if (!dragging && (pos - pressPos).manhattanLength() < QApplication::startDragDistance()) return;
    if (!dragging) viewport()->setCursor(Qt::PointingHandCursor);
    dragging = true;
    dragPos = pos;
    viewport()->update();
}

void TIconListView::mouseReleaseEvent(QMouseEvent* event) {
    bool wasDragging = dragging;
    dragging = false;
    pressItem = nullptr;
    if (!wasDragging) return;
    viewport()->unsetCursor();
    viewport()->update();
    const QPoint at = event->position().toPoint();
    if (viewport()->rect().contains(at)) emit dropped(mapToContents(at));
}

void TIconListView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    emit doubleClicked(itemAt(mapToContents(event->position().toPoint())));
}

void TIconListView::contextMenuEvent(QContextMenuEvent* event) {
    emit contextMenuRequested(mapToContents(event->pos()), event->globalPos());
}
