#include "frame/ParentUnit.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "frame/GlobalsUnit.h"
#include "frame/MainUnit.h"

TparentForm::TparentForm(QWidget* parent) : QWidget(parent) {
    resize(696, 480);
    setAttribute(Qt::WA_DeleteOnClose);
    FormCreate();
}

void TparentForm::FormCreate() {
    if (mainForm && !parentWidget()) mainForm->mdiArea()->addSubWindow(this);
}

QMdiSubWindow* TparentForm::subWindow() const { return qobject_cast<QMdiSubWindow*>(parentWidget()); }

void TparentForm::showInFront() {
    QMdiSubWindow* sub = subWindow();
    QWidget* frame = sub ? static_cast<QWidget*>(sub) : this;
    if (showMaximizedChild)
        frame->showMaximized();
    else
        frame->show();
    show();
    frame->raise();
    if (sub && sub->mdiArea()) sub->mdiArea()->setActiveSubWindow(sub);
    else activateWindow();
}

void TparentForm::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TparentForm::FormClose() {
    if (subFormSlot) {
        *subFormSlot = nullptr;
        subFormSlot = nullptr;
    }
    // Closing the inner window alone would leave an empty frame in the MDI area.
    if (QMdiSubWindow* sub = subWindow()) sub->deleteLater();
}
