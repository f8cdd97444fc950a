#pragma once
#include <QAbstractScrollArea>
#include <QList>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class TIconListView;

// One icon of a TIconListView: a caption, an index into the view's image list, a
// free position (top-left corner, in pixels of the view's contents) and a data id.
// Items belong to their view; derive from this class to carry more.
class TIconListItem {
public:
    TIconListItem() = default;
    virtual ~TIconListItem() = default;
    TIconListItem(const TIconListItem&) = delete;
    TIconListItem& operator=(const TIconListItem&) = delete;

    QString caption() const { return captionText; }
    void setCaption(const QString& text);
    int imageIndex() const { return image; }
    void setImageIndex(int index);
    int left() const { return pos.x(); }
    int top() const { return pos.y(); }
    QPoint position() const { return pos; }
    void setLeft(int x) { setPosition(QPoint(x, pos.y())); }
    void setTop(int y) { setPosition(QPoint(pos.x(), y)); }
    void setPosition(const QPoint& p);
    int dataId() const { return data; }
    void setDataId(int id) { data = id; }
    bool isSelected() const;
    TIconListView* listView() const { return view; }

private:
    friend class TIconListView;
    void changed();
    TIconListView* view = nullptr;
    QString captionText;
    int image = 0;
    QPoint pos;
    int data = 0;
};

// An icon view whose items sit where the program puts them (no automatic
// arrangement), each drawn as its image with the caption below it.
//
// Every point the view reports or takes is in content coordinates: the space of
// the items' positions, independent of scrolling. Signals report the user's
// actions only; changes made in code (adding, removing, selecting) fire none.
class TIconListView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TIconListView(QWidget* parent = nullptr);
    ~TIconListView() override;

    void setImageList(const QList<QPixmap>& images);
    QList<QPixmap> imageList() const { return images; }

    // Removes and deletes every item.
    void clear();
    // Appends an item (a plain one when none is given) and returns it; the view owns it.
    TIconListItem* addItem(std::unique_ptr<TIconListItem> item = nullptr);
    template <class T>
    T* addItemOf() {
        auto owned = std::make_unique<T>();
        T* raw = owned.get();
        addItem(std::move(owned));
        return raw;
    }
    int count() const { return int(items.size()); }
    // nullptr outside 0..count()-1.
    TIconListItem* item(int index) const;
    int indexOf(const TIconListItem* item) const;
    // Removes and deletes the item; unknown pointers are ignored.
    void removeItem(TIconListItem* item);

    TIconListItem* selectedItem() const { return selected; }
    // nullptr clears the selection.
    void setSelectedItem(TIconListItem* item);

    // The topmost item whose rectangle holds the point, or nullptr.
    TIconListItem* itemAt(const QPoint& contentPos) const;
    QRect itemRect(const TIconListItem* item) const;
    // The size of every item's rectangle (icon and two caption lines).
    QSize itemSize() const;
    // The room the items take, a margin beyond the furthest one included.
    QSize contentsSize() const;
    // Beyond the furthest item, so it is never flush with the edge.
    static constexpr int contentMargin = 8;
    QPoint mapToContents(const QPoint& viewportPos) const;
    QPoint mapFromContents(const QPoint& contentPos) const;

    // Item positions stay within the plan's range, 0 to maxPosition on each axis: a
    // position beyond it (one stored near the integer limit) is drawn and hit at the
    // range's edge, so no item's rectangle can overflow.
    static constexpr int maxPosition = 32767;
    static QPoint clampToPlan(const QPoint& p);

    // With dragging on, pressing an item and moving the mouse drags a ghost of it;
    // releasing over the view reports the drop point, released elsewhere (over other
    // controls, outside the window) the drag ends without a drop. The view itself
    // moves nothing.
    void setDragEnabled(bool on) { dragOn = on; }
    bool dragEnabled() const { return dragOn; }

    QSize sizeHint() const override;

signals:
    // Once for the item that loses the selection, then once for the one that gains it.
    void itemSelected(TIconListItem* item, bool selected);
    // item is nullptr for a double-click on an empty spot.
    void doubleClicked(TIconListItem* item);
    void mousePressed(const QPoint& contentPos, Qt::MouseButton button);
    void dropped(const QPoint& contentPos);
    void contextMenuRequested(const QPoint& contentPos, const QPoint& globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    friend class TIconListItem;
    void itemChanged();
    void updateScrollBars();
    void selectByUser(TIconListItem* item);
    QSize iconSize() const;
    int cellWidth() const;
    QRect captionRect(const QRect& cell) const;
    int lineHeight() const;
    QStringList captionLayout(const QString& text, int width) const;
    void paintItem(QPainter& p, const TIconListItem& item, const QRect& cell, bool ghost) const;

    std::vector<std::unique_ptr<TIconListItem>> items;
    QList<QPixmap> images;
    TIconListItem* selected = nullptr;
    bool dragOn = false;
    TIconListItem* pressItem = nullptr;
    QPoint pressPos;
    QPoint dragPos;
    bool dragging = false;
    mutable int cachedLineHeight = 0;
};
