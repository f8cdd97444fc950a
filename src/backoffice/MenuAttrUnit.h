#pragma once
#include <optional>
#include <vector>

#include "data/POMenuTypeUnit.h"
#include "data/POMenuUnit.h"
#include "data/POSysSetUnit.h"
#include "frame/ExclusiveUnit.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class TMenuButton;

// Edits one dish of the catalogue. Given the dish's grid button it loads the dish at
// once; on closing it relabels the button with the name as last stored.
class TmenuAttrForm : public TexclusiveForm {
    Q_OBJECT
public:
    explicit TmenuAttrForm(QWidget* parent = nullptr);

    void setMenuButton(TMenuButton* button);

    QTabWidget* PageControl1;
    QLabel* Image1;
    QLineEdit* namePMenu;
    QLineEdit* menuId;
    QLineEdit* menuName;
    QComboBox* menuTypeName;
    QComboBox* menuState;
    QComboBox* printName;
    QLineEdit* menuPrice;
    QLineEdit* menuUnit;
    QPlainTextEdit* description;
    QPushButton* confirmButton;
    QPushButton* cancelButton;
    QPushButton* applyButton;

    void confirmButtonClick();
    void applyButtonClick();
    void cancelButtonClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void FormClose();
    void menuInforChange();
    void saveMenu();

    std::optional<TPOMenu> menu;
    TMenuButton* menuButton = nullptr;
    std::vector<TPOSysSet> printSets;     // one per item of printName, in order
    std::vector<TPOMenuType> menuTypes;   // one per item of menuTypeName, in order
    bool loaded = false;
};
