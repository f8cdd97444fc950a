#include "frame/ButtonPagesUnit.h"

#include <QApplication>
#include <QPalette>
#include <QPushButton>

#include "frame/IdButtonUnit.h"

namespace {
constexpr int rowsPerPage = 8;

QPushButton* newPageButton(const QString& text, QWidget* panel, QSize size) {
    auto* button = new QPushButton(text, panel);
    button->resize(size);
    QPalette p = button->palette();
    p.setColor(QPalette::ButtonText, ButtonColors::pageButton());
    button->setPalette(p);
    button->hide();
    return button;
}
}  // namespace

namespace ButtonColors {
QColor menuTypeNormal() { return QApplication::palette().color(QPalette::Active, QPalette::Highlight); }
QColor menuTypeChosen() { return QColor(255, 0, 0); }
QColor menuNormal() { return QApplication::palette().color(QPalette::WindowText); }
QColor menuChosen() { return QColor(255, 0, 255); }
QColor pageButton() { return QApplication::palette().color(QPalette::Link); }
}  // namespace ButtonColors

TButtonPages::TButtonPages(QWidget* panel, std::vector<TIdButton*> grid, int columnCount, QSize size,
                           QSize pageButtonSize, QWidget* titleWidget)
    : buttons(std::move(grid)), columns(columnCount), buttonSize(size), title(titleWidget) {
    next = newPageButton(QStringLiteral("下一页"), panel, pageButtonSize);
    prior = newPageButton(QStringLiteral("上一页"), panel, pageButtonSize);
    prior->move(0, 0);
    for (TIdButton* b : buttons) {
        b->resize(buttonSize);
        b->hide();
    }
}

void TButtonPages::hideAll() {
    for (TIdButton* b : buttons) b->hide();
    prior->hide();
    next->hide();
    if (title) title->hide();
}

void TButtonPages::showPage(int page, int itemCount, const std::function<void(TIdButton*, int)>& fill) {
    hideAll();
    const int first = (page - 1) * pageSize();
    int offset = 0;
    if (page == 1) {
        if (title) title->show();
    } else {
        offset = prior->height();
        prior->show();
    }
    for (int slot = 0; slot < pageSize() && first + slot < itemCount; ++slot) {
        TIdButton* b = buttons[size_t(slot)];
        fill(b, first + slot);
        b->move((slot % columns) * buttonSize.width(), (slot / columns) * buttonSize.height() + offset);
        b->setToolTip(b->getName());
        b->show();
    }
    if (first + pageSize() < itemCount) {
        next->move(0, rowsPerPage * buttonSize.height() + offset);
        next->show();
    }
}
