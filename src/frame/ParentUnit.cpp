#include "frame/ParentUnit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWindow>
#include <memory>

#include "frame/GlobalsUnit.h"
#include "frame/MainUnit.h"

namespace {
const QSize plainSize(696, 480);
}

TparentForm::TparentForm(QWidget* parent) : QWidget(parent) {
    resize(plainSize);
    // Only a size the derived window sets itself counts as chosen (see openingSize).
    setAttribute(Qt::WA_Resized, false);
    setAttribute(Qt::WA_DeleteOnClose);
    FormCreate();
}

TparentForm::~TparentForm() {
    // A derived constructor that threw leaves the frame without its window: it goes too.
    if (QMdiSubWindow* sub = subWindow()) sub->deleteLater();
}

void TparentForm::FormCreate() {
    if (mainForm && !parentWidget()) mainForm->mdiArea()->addSubWindow(this);
}

QMdiSubWindow* TparentForm::subWindow() const { return qobject_cast<QMdiSubWindow*>(parentWidget()); }

void TparentForm::whenBroughtToFront(std::function<void()> handler) {
    QMdiSubWindow* frame = subWindow();
    if (!frame || !frame->mdiArea()) return;
    struct Front {
        std::function<void()> handler;
        bool inFront = true;  // the active window of the main window, or the last one
        bool away = false;    // another program came in front while it was
        void backFromAway() {
            // Not while a dialog of this program is up: the command that opened it
            // still works with what the window shows. It runs when the dialog is gone.
            if (!away || QApplication::activeModalWidget()) return;
            away = false;
            handler();
        }
    };
    auto front = std::make_shared<Front>(Front{std::move(handler)});
    // Only a change of the active window counts: a dialog closing hands the
    // activation back to the same window, with no window in between.
    connect(frame->mdiArea(), &QMdiArea::subWindowActivated, this, [frame, front](QMdiSubWindow* active) {
        if (!active) return;
        const bool nowInFront = active == frame;
        if (nowInFront && !front->inFront) front->handler();
        front->inFront = nowInFront;
        // Another window in front: this one is refreshed when it comes back. The
        // same one again (the program coming back) leaves that to the program's return.
        if (!nowInFront) front->away = false;
    });
    // The program itself coming back to the front counts too: the other stations
    // went on working while another program was in front.
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, [front](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive)
            front->away = front->away || front->inFront;
        else
            front->backFromAway();
    });
    // The main window itself taking the focus back from the dialog that was up.
    connect(qGuiApp, &QGuiApplication::focusWindowChanged, this, [frame, front](QWindow* focus) {
        if (focus && focus == frame->window()->windowHandle()) front->backFromAway();
    });
}

QSize TparentForm::openingSize() const {
    if (testAttribute(Qt::WA_Resized)) return size();
    if (layout()) return sizeHint().expandedTo(minimumSizeHint());
    return plainSize;
}

void TparentForm::fitFrame(QMdiSubWindow* sub) {
    // The MDI area sized the frame when the window was still empty: size it now from
    // the finished window, frame borders and title bar added.
    const QSize wanted = openingSize();
    sub->resize(wanted);
    if (sub->layout()) sub->layout()->activate();
    sub->resize(wanted + (sub->size() - size()));
    framed = true;
}

void TparentForm::setVisible(bool visible) {
    // Alone (no main window) the window opens at the same size it would in the MDI area.
    if (visible && !subWindow() && !testAttribute(Qt::WA_Resized)) resize(openingSize());
    QWidget::setVisible(visible);
}

void TparentForm::showInFront() {
    QMdiSubWindow* sub = subWindow();
    if (sub && !framed) fitFrame(sub);
    QWidget* frame = sub ? static_cast<QWidget*>(sub) : this;
    if (showMaximizedChild)
        frame->showMaximized();
    else if (frame->isMinimized())
        frame->showNormal();
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
