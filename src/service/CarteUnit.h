#pragma once
#include <QString>
#include <memory>
#include <vector>

#include "data/MenuTypeMgrUnit.h"
#include "data/POMenuInsUnit.h"
#include "frame/ExclusiveUnit.h"
#include "frame/MenuPagesUnit.h"

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TMenuButton;
class TMenuTypeButton;
class TStringGrid;

// The dialog "菜单" in which dishes are ordered: categories and dishes on paged button
// grids, the chosen dish lines in a grid with their total. It works on its caller's
// list of lines and never writes to the database.
class TcarteForm : public TexclusiveForm, public TMenuPages {
    Q_OBJECT
public:
    explicit TcarteForm(QWidget* parent = nullptr);
    ~TcarteForm() override;

    // Shows the list's lines, shows the dialog modally and returns the list. Which
    // lines the list holds changes only by "应用" or "确定"; changes made to the lines
    // themselves stay whichever button closes the dialog.
    TMenuInsList& selectMenuIns(TMenuInsList& list);
    // The first half of selectMenuIns: the grid and the total, without showing.
    void setMenuInsList(TMenuInsList& list);

    QFrame* menuTypePanelArea;
    QLabel* menuTypeTitlePanel;
    QFrame* menuTypePanel;
    QFrame* menuAreaPanel;
    QLabel* menuTitlePanel;
    QFrame* menuPanel;
    QGroupBox* GroupBox1;
    TStringGrid* selectMenuGrid;
    QGroupBox* GroupBox2;
    QLineEdit* price;
    QPushButton* minusMenu;
    QPushButton* addMenuIns;
    QPushButton* largessMenu;
    QPushButton* confirmButton;
    QPushButton* appleButton;
    QPushButton* exitButton;

    void showMenuTypes(int page);
    void showMenus(int page, int menuTypeId);
    void menuTypeButtonMouseDown(TMenuTypeButton* button);
    void menuButtonClick(TMenuButton* button);
    void addMenuInsClick();
    void minusMenuClick();
    void largessMenuClick();
    void selectMenuGridDblClick();
    void appleButtonClick();
    void confirmButtonClick();
    void exitButtonClick();

private:
    void buildLayout();
    void addMenuInsLine(int menuId);
    void setMenuInsRow(const std::shared_ptr<TPOMenuIns>& line, int row);
    void showTotalPrice();
    void applyMenuIns();
    std::shared_ptr<TPOMenuIns> selectedLine() const;

    TMenuTypeMgr menuTypeMgr;
    int menuTypePage = 1;
    int currentMenuTypeId = 0;
    // The name of the category chosen, for the lines of its dishes: the chosen button
    // may show another category after paging.
    QString currentMenuTypeName;
    TMenuTypeButton* selectedMenuTypeButton = nullptr;
    int menuPage = 1;
    int currentMenuId = 0;
    TMenuButton* selectedMenuButton = nullptr;
    TMenuInsList* menuInsList = nullptr;
};
