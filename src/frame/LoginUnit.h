#pragma once
#include "frame/ExclusiveUnit.h"

class QLineEdit;
class QPushButton;

// The login dialog. A successful login sets the login globals; closing it in any way
// while nobody is logged in ends the program, while during a user switch the old
// user stays.
class TloginForm : public TexclusiveForm {
    Q_OBJECT
public:
    explicit TloginForm(QWidget* parent = nullptr);

    QLineEdit* userName;
    QLineEdit* password;
    QPushButton* loginBtn;
    QPushButton* cancelBtn;

    void loginBtnClick();
    void cancelBtnClick();

    void done(int result) override;  // every way of closing passes here
};
