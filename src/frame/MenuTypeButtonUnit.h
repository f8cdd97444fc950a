#pragma once
#include "frame/IdButtonUnit.h"

// A category button of the paged category grids; its id is the category's
// `menu_type.id`, getName its full name whatever the caption shows.
class TMenuTypeButton : public TIdButton {
    Q_OBJECT
public:
    using TIdButton::TIdButton;
};
