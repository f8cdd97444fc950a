#pragma once
#include <memory>
#include <vector>

#include "data/POMenuInsUnit.h"
#include "data/POSysSetUnit.h"
#include "frame/ExclusiveUnit.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// Edits one dish line in place: state, kitchen printer, print state, quantity,
// serving and remark. Saving the line to the database is the caller's business.
class TmenuInsForm : public TexclusiveForm {
    Q_OBJECT
public:
    explicit TmenuInsForm(QWidget* parent = nullptr);

    // Fills the fields, shows the dialog modally and returns the same line, changed
    // when the user confirmed or applied.
    std::shared_ptr<TPOMenuIns> showMenuIns(std::shared_ptr<TPOMenuIns> line);
    // The first half of showMenuIns: the fields filled, nothing shown.
    void loadMenuIns(std::shared_ptr<TPOMenuIns> line);

    QLineEdit* menuId;
    QLineEdit* menuName;
    QLineEdit* menuTypeName;
    QComboBox* menuState;
    QComboBox* printName;
    QComboBox* printState;
    QLineEdit* menuPrice;
    QLineEdit* quantity;
    QLineEdit* menuUnit;
    QComboBox* serving;
    QPlainTextEdit* description;
    QPushButton* confirmButton;
    QPushButton* cancelButton;
    QPushButton* applyButton;

    void printNameChange();
    void menuInsInforChange();
    void confirmButtonClick();
    void applyButtonClick();
    void cancelButtonClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void saveMenuIns();
    // The printer setting under the selected item, or none.
    const TPOSysSet* selectedPrintSet() const;
    void quantityExit();

    std::shared_ptr<TPOMenuIns> menuIns;
    std::vector<TPOSysSet> printSets;  // one per item of printName, in order
    bool checkingQuantity = false;
};
