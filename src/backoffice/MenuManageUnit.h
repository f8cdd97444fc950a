#pragma once
#include <memory>
#include <vector>

#include "data/MenuTypeMgrUnit.h"
#include "frame/MenuPagesUnit.h"
#include "frame/ParentUnit.h"

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class TMenuButton;
class TMenuTypeButton;

// The dish catalogue kept by the managers: categories and the dishes of the chosen
// category on paged button grids, each in the order of its `seq`. Popup commands add,
// change, delete and move them; one entry is changed in its property dialog.
class TmenuManageForm : public TparentForm, public TMenuPages {
    Q_OBJECT
public:
    explicit TmenuManageForm(QWidget* parent = nullptr);
    ~TmenuManageForm() override;

    QFrame* menuTypeAreaPanel;
    QLabel* menuTypeTitlePanel;
    QFrame* menuTypePanel;
    QFrame* menuAreaPanel;
    QLabel* menuTitlePanel;
    QFrame* menuPanel;
    QFrame* Panel2;
    QLabel* Panel4;
    QPlainTextEdit* carteInformationMemo;

    QMenu* menuTypePopupMenu;
    QAction* createMenuType;
    QAction* changeMenuType;
    QAction* deleteMenuType;
    QAction* upMoveMenuType;
    QAction* downMoveMenuType;
    QAction* liftMoveMenuType;
    QAction* rightMoveMenuType;
    QMenu* menuPopupMenu;
    QAction* createMenu;
    QAction* changeMenu;
    QAction* deleteMenu;
    QAction* upMoveMenu;
    QAction* downMoveMenu;
    QAction* leftMoveMenu;
    QAction* rightMoveMenu;

    void showMenuTypePage(int page);
    void showMenuPage(int page, int menuTypeId);
    void showInformation();
    // The page that holds the item now; the current page when the item is gone.
    int getMenuTypePage(int menuTypeId);
    int getMenuPage(int menuId);

    int getMenuTypePageShown() const { return menuTypePage; }
    int getMenuPageShown() const { return menuPage; }

private:
    void buildLayout();
    void buildPopups();
    void menuTypeButtonMouseDown(TMenuTypeButton* button);
    void menuButtonMouseDown(TMenuButton* button);
    // The popup decides its entries as it opens: the commands on one item only over
    // the chosen item's button while that item still exists.
    void menuTypePanelPopup(const QPoint& pos);
    void menuPanelPopup(const QPoint& pos);
    void createMenuTypeClick();
    void changeMenuTypeClick();
    void deleteMenuTypeClick();
    void moveMenuType(bool (*move)(int));
    void createMenuClick();
    void changeMenuClick();
    void deleteMenuClick();
    void moveMenu(bool (*move)(int, int));

    TMenuTypeMgr menuTypeMgr;
    int menuTypePage = 1;
    int currentMenuTypeId = 0;
    TMenuTypeButton* selectedMenuTypeButton = nullptr;
    int menuPage = 1;
    int currentMenuId = 0;
    TMenuButton* selectedMenuButton = nullptr;
};
