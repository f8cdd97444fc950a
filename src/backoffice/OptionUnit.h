#pragma once
#include <optional>
#include <vector>

#include "data/POEatUnit.h"
#include "frame/ExclusiveUnit.h"

class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTimeEdit;

// The options dialog: the meal periods of the day, added, changed and deleted.
// It has no confirm or cancel button; it is closed with its close box.
class ToptionForm : public TexclusiveForm {
    Q_OBJECT
public:
    explicit ToptionForm(QWidget* parent = nullptr);

    // Components.
    QTabWidget* pages;
    QListWidget* eatList;
    QGroupBox* GroupBox1;
    QLineEdit* eatName;
    QTimeEdit* startTime;
    QTimeEdit* endTime;
    QPushButton* addEatBtn;
    QPushButton* applyBtn;
    QPushButton* deleteBtn;

    // Handlers (each runs inside the error funnel when the user triggers it).
    void showEat(const TPOEat& eat);
    void refreshEatList();
    void eatListClick();
    void addEatBtnClick();
    void applyBtnClick();
    void deleteBtnClick();

private:
    std::optional<TPOEat> currentEat;  // shown in the fields; id 0 for one not saved yet
    std::vector<TPOEat> eats;  // behind the items of eatList, in list order
};
