#pragma once
#include <QPointer>
#include <QWidget>
#include <functional>

class QCloseEvent;
class QMdiSubWindow;

// Base of the function windows. Each is an MDI child of the main window, lives from
// its opening until it is closed, clears its entry in subForms on close and then
// frees itself, so the next opening creates a fresh window.
class TparentForm : public QWidget {
    Q_OBJECT
public:
    explicit TparentForm(QWidget* parent = nullptr);
    ~TparentForm() override;

    // The main window gives the window its entry right after creating it.
    void setSubForm(QPointer<TparentForm>* slot) { subFormSlot = slot; }

    // Shows the window (maximised when the window asks for it, restored when it was
    // minimised) and brings it forward. The first time it sizes the MDI frame to
    // openingSize().
    void showInFront();
    // The size the window opens at: the size it set itself, else what its layout
    // asks for, else 696 x 480.
    QSize openingSize() const;
    void setVisible(bool visible) override;

protected:
    // Makes the window an MDI child of the main window (a top-level window when no
    // main window exists, as in tests of a window alone). The constructor runs it, so
    // a derived window builds its layout into an MDI child already.
    void FormCreate();
    void closeEvent(QCloseEvent* event) override;
    // Clears the entry; the window is destroyed after the close event has finished.
    void FormClose();
    QMdiSubWindow* subWindow() const;
    // Runs `handler` each time the window becomes the active one of the main window
    // after another one was, and when the program comes back to the front after
    // another program was while this window was the active one; a dialog closing
    // over it does not count.
    void whenBroughtToFront(std::function<void()> handler);

    // Set in the constructor of a window that is laid out maximised in the main window.
    bool showMaximizedChild = false;

private:
    void fitFrame(QMdiSubWindow* sub);

    QPointer<TparentForm>* subFormSlot = nullptr;
    bool framed = false;  // the frame has been sized to the finished window
};
