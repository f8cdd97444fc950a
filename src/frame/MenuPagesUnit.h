#pragma once
#include <QSize>
#include <functional>
#include <memory>
#include <vector>

#include "data/POMenuTypeUnit.h"
#include "data/POMenuUnit.h"
#include "frame/ButtonPagesUnit.h"

class QObject;
class QPushButton;
class QWidget;
class TMenuButton;
class TMenuTypeButton;

// The category and dish grids of a window that shows the catalogue: sixteen category
// slots in two columns and thirty-two dish slots in four, each grid paged. The window
// derives from it, builds the grids once its panels exist and keeps the page numbers
// and the chosen items; the grids colour the chosen ones.
class TMenuPages {
public:
    static constexpr int menuTypePageSize = 16;
    static constexpr int menuPageSize = 32;

    // A grid's place: the panel its slots sit in, the title shown on page 1 and the
    // width of its page buttons.
    struct Area {
        QWidget* panel;
        QWidget* title;
        int pageButtonWidth;
    };
    // What the window does; each runs guarded, in `context`.
    struct Handlers {
        std::function<void(TMenuTypeButton*)> menuTypePressed;
        std::function<void(TMenuButton*)> menuChosen;
        bool menuChosenOnClick;  // on a click rather than on the press
        std::function<void(int)> turnMenuTypePage;  // +1 for "下一页", -1 for "上一页"
        std::function<void(int)> turnMenuPage;
    };

    std::vector<TMenuTypeButton*> menuTypeButtons;  // slots 0..15
    std::vector<TMenuButton*> menuButtons;          // slots 0..31
    QPushButton* nextMenuTypePageBtn = nullptr;
    QPushButton* priorMenuTypePageBtn = nullptr;
    QPushButton* nextMenuPageBtn = nullptr;
    QPushButton* priorMenuPageBtn = nullptr;

protected:
    TMenuPages();
    ~TMenuPages();

    void buildMenuPages(QObject* context, Area menuTypeArea, Area menuArea, QSize buttonSize, int pageButtonHeight,
                        const Handlers& handlers);
    // Shows page `page` of `types`; `selected` becomes the slot showing category
    // `currentId`, or null when this page does not show it.
    void showMenuTypeSlots(int page, const std::vector<TPOMenuType>& types, int currentId,
                           TMenuTypeButton*& selected);
    // The same for dishes; with `forbiddenDisabled` a dish that may not be ordered
    // shows disabled.
    void showMenuSlots(int page, const std::vector<TPOMenu>& menus, int currentId, TMenuButton*& selected,
                       bool forbiddenDisabled);
    // Empties the dish grid, its title too.
    void hideMenuSlots();

private:
    std::unique_ptr<TButtonPages> menuTypePages;
    std::unique_ptr<TButtonPages> menuPages;
};
