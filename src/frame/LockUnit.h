#pragma once
#include "frame/ExclusiveUnit.h"

class QLineEdit;
class QPushButton;

// Blocks the program until the logged-in user types the password again; it refuses
// every other way of closing.
class TlockForm : public TexclusiveForm {
    Q_OBJECT
public:
    explicit TlockForm(QWidget* parent = nullptr);

    QLineEdit* password;
    QPushButton* confirmBtn;
    bool unlocked = false;

    void confirmBtnClick();
    void done(int result) override;
};
