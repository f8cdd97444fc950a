#pragma once
#include <QMainWindow>
#include <set>

#include "frame/CallerLineUnit.h"

class QAction;
class QGroupBox;
class QLabel;
class QMdiArea;
class QMenu;
class QPlainTextEdit;
class QTimer;
class QTreeWidget;
class TClickLabel;
class TSerialPort;
class TchangePasswordForm;
class TparentForm;

// The MDI main window: function tree by the user's rights, one window per function,
// login on first paint, lock, user switch, password change, clock, caller display.
class TmainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TmainForm(QWidget* parent = nullptr);
    ~TmainForm() override;

    QMdiArea* mdiArea() const { return mdi; }
    // Shows the window maximised, as the program starts. Taken out of maximised it
    // keeps its title bar on the screen, so that it can be moved and maximised by it.
    void showAtStart();

    // Components.
    TClickLabel* titlePanel;
    QTreeWidget* functionTree;
    QGroupBox* guestInforGroupBox;
    QLabel* guestName;
    QLabel* telephone;
    QPlainTextEdit* address;
    QLabel* statusText;  // the status bar's one text
    QTimer* refreshTimer;
    QTimer* ctrlTelephoneTimer;
    QAction* optionItem;  // "选项", enabled by the right option

    bool loginDone = false;
    TSerialPort* MSComm = nullptr;  // set only when opening the modem succeeded

    // Handlers (each runs inside the error funnel when the user triggers it).
    void FormPaint();  // about box, login, tree; once per start and per user switch
    void buildFunctionTree(int employeeId);
    void functionTreeDblClick();
    TparentForm* openFunction(int functionId);  // the window shown, or nullptr
    void lockClick();
    void switchUserClick();
    void exitClick();
    TchangePasswordForm* changePasswordClick();
    void optionClick();
    void aboutClick();
    void webPageClick();
    void titlePanelClick();  // number of live SQL helpers
    void refreshTimerTimer();

    // Caller display.
    void readConfig();
    void openModem();
    void MSCommComm();
    void ctrlTelephoneTimerTimer();
    void closeModem();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Builds the tree and "选项" from the employee's rights and asks the windows they do
    // not cover to close; false when one refused. Fails closed when the rights cannot be read.
    bool applyRights(int employeeId);
    // Asks every open function window not in keep to close, the sell and cashier
    // windows first; false when one refused.
    bool closeFunctionWindows(const std::set<int>& keep);
    void buildMenus();
    void buildToolBar();
    void buildLeftPanel(QWidget* parent);
    void restartTelephoneTimer();
    // Connects a trigger to a handler run inside the error funnel.
    void guarded(QAction* action, void (TmainForm::*handler)());

    QMdiArea* mdi;
    TCallerLineBuffer callerLines;
};
