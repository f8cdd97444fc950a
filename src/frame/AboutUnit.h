#pragma once
#include "frame/ExclusiveUnit.h"

class QPushButton;
class TClickLabel;

// The about box: product, version, the maker's contacts; its address lines open the
// web page.
class TaboutForm : public TexclusiveForm {
    Q_OBJECT
public:
    explicit TaboutForm(QWidget* parent = nullptr);

    static const QString webAddress;  // also behind the main window's web page command
    static const QString secondWebAddress;

    TClickLabel* webLabel;
    TClickLabel* secondWebLabel;
    QPushButton* okBtn;
};
