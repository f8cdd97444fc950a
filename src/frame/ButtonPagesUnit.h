#pragma once
#include <QColor>
#include <QSize>
#include <functional>
#include <vector>

class QPushButton;
class QWidget;
class TIdButton;

// Font colours of the dish and category button grids.
namespace ButtonColors {
QColor menuTypeNormal();  // the colour of an active window's caption
QColor menuTypeChosen();  // red
QColor menuNormal();      // window text
QColor menuChosen();      // fuchsia
QColor pageButton();      // hot-light, like a link
}  // namespace ButtonColors

// The pages of one button grid in a panel: the window's buttons in rows of `columns`,
// eight rows to a page, a title shown on page 1 only, "上一页" at the top of every later
// page (the buttons move down by its height) and "下一页" under the eighth row when
// more items follow. Pages count from 1; the window keeps the page number.
class TButtonPages {
public:
    // Creates the two page buttons in `panel`, pageButtonSize each, hot-light font.
    TButtonPages(QWidget* panel, std::vector<TIdButton*> buttons, int columns, QSize buttonSize,
                 QSize pageButtonSize, QWidget* title);

    int pageSize() const { return int(buttons.size()); }
    QPushButton* priorButton() const { return prior; }
    QPushButton* nextButton() const { return next; }
    TIdButton* button(int slot) const { return buttons[size_t(slot)]; }  // slot from 0

    // Hides every button, both page buttons and the title.
    void hideAll();
    // Shows page `page` of `itemCount` items. fill(button, index) gives a slot its item
    // (index from 0 over all items); the button is then placed, hinted with its full
    // name and shown.
    void showPage(int page, int itemCount, const std::function<void(TIdButton*, int)>& fill);

private:
    std::vector<TIdButton*> buttons;
    int columns;
    QSize buttonSize;
    QWidget* title;
    QPushButton* prior;
    QPushButton* next;
};
