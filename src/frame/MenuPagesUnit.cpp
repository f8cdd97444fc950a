#include "frame/MenuPagesUnit.h"

#include <QPushButton>

#include "frame/MenuButtonUnit.h"
#include "frame/MenuTypeButtonUnit.h"
#include "platform/Errors.h"

namespace {
constexpr int captionLimit = 12;

template <class Button>
std::vector<Button*> newSlots(QWidget* panel, int count) {
    std::vector<Button*> buttons;
    for (int i = 0; i < count; ++i) {
        auto* button = new Button(panel);
        button->setMaxLength(captionLimit);
        buttons.push_back(button);
    }
    return buttons;
}

template <class Button>
std::vector<TIdButton*> asIdButtons(const std::vector<Button*>& buttons) {
    return {buttons.begin(), buttons.end()};
}

void connectTurn(QObject* context, QPushButton* button, const std::function<void(int)>& turn, int step) {
    QObject::connect(button, &QPushButton::clicked, context, [turn, step] { runGuarded([&] { turn(step); }); });
}
}  // namespace

TMenuPages::TMenuPages() = default;
TMenuPages::~TMenuPages() = default;

void TMenuPages::buildMenuPages(QObject* context, Area menuTypeArea, Area menuArea, QSize buttonSize,
                                int pageButtonHeight, const Handlers& handlers) {
    menuTypeButtons = newSlots<TMenuTypeButton>(menuTypeArea.panel, menuTypePageSize);
    menuButtons = newSlots<TMenuButton>(menuArea.panel, menuPageSize);
    menuTypePages = std::make_unique<TButtonPages>(menuTypeArea.panel, asIdButtons(menuTypeButtons), 2, buttonSize,
                                                   QSize(menuTypeArea.pageButtonWidth, pageButtonHeight),
                                                   menuTypeArea.title);
    menuPages = std::make_unique<TButtonPages>(menuArea.panel, asIdButtons(menuButtons), 4, buttonSize,
                                               QSize(menuArea.pageButtonWidth, pageButtonHeight), menuArea.title);
    nextMenuTypePageBtn = menuTypePages->nextButton();
    priorMenuTypePageBtn = menuTypePages->priorButton();
    nextMenuPageBtn = menuPages->nextButton();
    priorMenuPageBtn = menuPages->priorButton();
    for (TMenuTypeButton* button : menuTypeButtons) {
        button->setFontColor(ButtonColors::menuTypeNormal());
        QObject::connect(button, &TIdButton::mouseDown, context,
                         [pressed = handlers.menuTypePressed, button] { runGuarded([&] { pressed(button); }); });
    }
    for (TMenuButton* button : menuButtons) {
        const auto choose = [chosen = handlers.menuChosen, button] { runGuarded([&] { chosen(button); }); };
        if (handlers.menuChosenOnClick)
            QObject::connect(button, &QPushButton::clicked, context, choose);
        else
            QObject::connect(button, &TIdButton::mouseDown, context, choose);
    }
    connectTurn(context, nextMenuTypePageBtn, handlers.turnMenuTypePage, 1);
    connectTurn(context, priorMenuTypePageBtn, handlers.turnMenuTypePage, -1);
    connectTurn(context, nextMenuPageBtn, handlers.turnMenuPage, 1);
    connectTurn(context, priorMenuPageBtn, handlers.turnMenuPage, -1);
}

void TMenuPages::hideMenuSlots() { menuPages->hideAll(); }

void TMenuPages::showMenuTypeSlots(int page, const std::vector<TPOMenuType>& types, int currentId,
                                   TMenuTypeButton*& selected) {
    if (selected) selected->setFontColor(ButtonColors::menuTypeNormal());
    selected = nullptr;
    menuTypePages->showPage(page, int(types.size()), [&](TIdButton* slot, int index) {
        auto* button = static_cast<TMenuTypeButton*>(slot);
        const TPOMenuType& type = types[size_t(index)];
        button->setId(type.getId());
        button->setName(type.getName());
        if (type.getId() == currentId) {
            selected = button;
            button->setFontColor(ButtonColors::menuTypeChosen());
        } else {
            button->setFontColor(ButtonColors::menuTypeNormal());
        }
    });
}

void TMenuPages::showMenuSlots(int page, const std::vector<TPOMenu>& menus, int currentId, TMenuButton*& selected,
                               bool forbiddenDisabled) {
    if (selected) selected->setFontColor(ButtonColors::menuNormal());
    selected = nullptr;
    menuPages->showPage(page, int(menus.size()), [&](TIdButton* slot, int index) {
        auto* button = static_cast<TMenuButton*>(slot);
        const TPOMenu& menu = menus[size_t(index)];
        if (forbiddenDisabled) button->setEnabled(menu.getState() != TPOMenu::stateForbidden);
        button->setId(menu.getId());
        button->setName(menu.getMenuName());
        if (menu.getId() == currentId) {
            selected = button;
            button->setFontColor(ButtonColors::menuChosen());
        } else {
            button->setFontColor(ButtonColors::menuNormal());
        }
    });
}
