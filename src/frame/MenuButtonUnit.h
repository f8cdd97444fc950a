#pragma once
#include "frame/IdButtonUnit.h"

// A dish button of the paged dish grids; its id is the dish's `menu.id`.
class TMenuButton : public TIdButton {
    Q_OBJECT
public:
    using TIdButton::TIdButton;
};
