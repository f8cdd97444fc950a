#pragma once
#include <optional>

#include "data/POMenuTypeUnit.h"
#include "frame/ExclusiveUnit.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class TMenuTypeButton;

// Edits one dish category. It loads the category of its grid button when shown and
// relabels the button with the name as last stored when it closes.
class TMenuTypeAttrForm : public TexclusiveForm {
    Q_OBJECT
public:
    explicit TMenuTypeAttrForm(QWidget* parent = nullptr);

    void setMenuTypeButton(TMenuTypeButton* button) { menuTypeButton = button; }

    QLabel* Image1;
    QLineEdit* namePMenuType;
    QLineEdit* menuTypeId;
    QLineEdit* menuTypeName;
    QPlainTextEdit* descriptionMemo;
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
    // False only when the database refused the row: the one failure after which
    // "确定" keeps the dialog open.
    bool saveMenuType();
    // Closes once the dialog is up: closing while it is still being shown would leave
    // a modal loop that nothing ends.
    void closeWhenShown();

    TMenuTypeButton* menuTypeButton = nullptr;
    std::optional<TPOMenuType> menuType;
    bool loaded = false;
};
