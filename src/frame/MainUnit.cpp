#include "frame/MainUnit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGroupBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QMdiArea>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>
#include <set>

#include "data/DatabaseCtrlUnit.h"
#include "data/GuestMgrUnit.h"
#include "data/RightMgrUnit.h"
#include "frame/AboutUnit.h"
#include "frame/ChangePasswordUnit.h"
#include "frame/ClickLabelUnit.h"
#include "frame/FunctionWindowsUnit.h"
#include "frame/GeneralUnit.h"
#include "frame/GlobalsUnit.h"
#include "frame/LockUnit.h"
#include "frame/LoginUnit.h"
#include "frame/ParentUnit.h"
#include "platform/Browser.h"
#include "platform/DateTime.h"
#include "platform/DrawnImages.h"
#include "platform/Errors.h"
#include "platform/Formats.h"
#include "platform/IniFileUnit.h"
#include "platform/Messages.h"
#include "platform/ProgramStyle.h"
#include "platform/SerialPortUnit.h"

namespace {
const QString configSection = QStringLiteral("MSCOMM");

// The platform's edit commands, applied to whichever edit control has the focus.
enum class EditCommand { Undo, Cut, Copy, Paste, Delete, SelectAll };

bool canPaste() { return !QApplication::clipboard()->text().isEmpty(); }

bool editCommandApplies(EditCommand command) {
    QWidget* w = QApplication::focusWidget();
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        bool plain = e->echoMode() == QLineEdit::Normal;
        switch (command) {
        case EditCommand::Undo: return !e->isReadOnly() && e->isUndoAvailable();
        case EditCommand::Cut: return !e->isReadOnly() && plain && e->hasSelectedText();
        case EditCommand::Copy: return plain && e->hasSelectedText();
        case EditCommand::Paste: return !e->isReadOnly() && canPaste();
        case EditCommand::Delete: return !e->isReadOnly() && e->hasSelectedText();
        case EditCommand::SelectAll: return !e->text().isEmpty();
        }
    }
    auto textEdit = qobject_cast<QTextEdit*>(w);
    auto plainEdit = qobject_cast<QPlainTextEdit*>(w);
    if (!textEdit && !plainEdit) return false;
    bool readOnly = textEdit ? textEdit->isReadOnly() : plainEdit->isReadOnly();
    QTextCursor cursor = textEdit ? textEdit->textCursor() : plainEdit->textCursor();
    QTextDocument* doc = textEdit ? textEdit->document() : plainEdit->document();
    switch (command) {
    case EditCommand::Undo: return !readOnly && doc->isUndoAvailable();
    case EditCommand::Cut:
    case EditCommand::Delete: return !readOnly && cursor.hasSelection();
    case EditCommand::Copy: return cursor.hasSelection();
    case EditCommand::Paste: return !readOnly && canPaste();
    case EditCommand::SelectAll: return !doc->isEmpty();
    }
    return false;
}

template <class Edit>
void applyToEdit(Edit* e, EditCommand command) {
    switch (command) {
    case EditCommand::Undo: e->undo(); break;
    case EditCommand::Cut: e->cut(); break;
    case EditCommand::Copy: e->copy(); break;
    case EditCommand::Paste: e->paste(); break;
    case EditCommand::SelectAll: e->selectAll(); break;
    case EditCommand::Delete: break;
    }
}

void runEditCommand(EditCommand command) {
    if (!editCommandApplies(command)) return;
    QWidget* w = QApplication::focusWidget();
    if (auto* e = qobject_cast<QLineEdit*>(w)) {
        if (command == EditCommand::Delete) e->del();
        else applyToEdit(e, command);
    } else if (auto* t = qobject_cast<QTextEdit*>(w)) {
        if (command == EditCommand::Delete) t->textCursor().removeSelectedText();
        else applyToEdit(t, command);
    } else if (auto* p = qobject_cast<QPlainTextEdit*>(w)) {
        if (command == EditCommand::Delete) p->textCursor().removeSelectedText();
        else applyToEdit(p, command);
    }
}

// What the rights of one employee open: the granted function ids and "选项".
struct FunctionRights {
    std::set<int> granted;
    bool option = false;
};

FunctionRights readRights(int employeeId) {
    FunctionRights rights;
    const FunctionEntry* entries = functionEntries();
    for (int i = 0; i < functionCount; ++i)
        if (TRightMgr::hasRight(employeeId, entries[i].rightKey)) rights.granted.insert(entries[i].functionId);
    rights.option = TRightMgr::hasRight(employeeId, optionRightKey);
    return rights;
}

// The sell and cashier windows are asked first, the others by id.
const int closingOrder[functionCount] = {1, 6, 2, 3, 4, 5, 7, 8, 9, 10, 11};

struct LoginState {
    int id = currentEmployeeId;
    QString name = currentUserName;
    QString password = currentPassword;
    void restore() const {
        currentEmployeeId = id;
        currentUserName = name;
        currentPassword = password;
    }
};
}  // namespace

TmainForm::TmainForm(QWidget* parent) : QMainWindow(parent) {
    mainForm = this;
    setWindowTitle(QStringLiteral("禾岚餐饮系统"));
    useProgramStyle();  // before the bars ask it for their overflow arrows
    buildMenus();
    buildToolBar();

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    auto* left = new QWidget(splitter);
    buildLeftPanel(left);
    mdi = new QMdiArea(splitter);
    mdi->setBackground(QColor(96, 112, 136));
    splitter->addWidget(left);
    splitter->addWidget(mdi);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({185, 839});
    setCentralWidget(splitter);

    statusText = new QLabel(this);
    statusBar()->addWidget(statusText, 1);

    refreshTimer = new QTimer(this);
    refreshTimer->setInterval(1000);
    connect(refreshTimer, &QTimer::timeout, this, [this] { runGuarded([this] { refreshTimerTimer(); }); });
    refreshTimer->start();
    ctrlTelephoneTimer = new QTimer(this);
    ctrlTelephoneTimer->setInterval(6000);
    connect(ctrlTelephoneTimer, &QTimer::timeout, this, [this] { runGuarded([this] { ctrlTelephoneTimerTimer(); }); });

    appPath = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    loginDone = false;
    runGuarded([this] {
        readConfig();
        if (existModem) openModem();
    });
}

TmainForm::~TmainForm() {
    if (mainForm == this) mainForm = nullptr;
}

void TmainForm::showAtStart() {
    // The size and place a window manager restores: with room for its frame, so the
    // title bar stays on the screen. A desktop without one ignores maximising and
    // shows the window so, nearly filling the screen.
    if (const QScreen* shown = screen()) setGeometry(roomForWindow(shown));
    showMaximized();
}

void TmainForm::guarded(QAction* action, void (TmainForm::*handler)()) {
    connect(action, &QAction::triggered, this, [this, handler] { runGuarded([this, handler] { (this->*handler)(); }); });
}

void TmainForm::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
    guarded(file->addAction(QStringLiteral("锁定工作(&L)")), &TmainForm::lockClick);
    guarded(file->addAction(QStringLiteral("切换用户(&W)")), &TmainForm::switchUserClick);
    guarded(file->addAction(QStringLiteral("退出系统(&E)")), &TmainForm::exitClick);

    QMenu* edit = menuBar()->addMenu(QStringLiteral("编辑(&E)"));
    struct EditItem {
        const char* text;
        QKeySequence keys;
        EditCommand command;
    };
    const EditItem items[] = {
        {"撤消", QKeySequence(Qt::CTRL | Qt::Key_Z), EditCommand::Undo},
        {"剪切", QKeySequence(Qt::CTRL | Qt::Key_X), EditCommand::Cut},
        {"拷贝", QKeySequence(Qt::CTRL | Qt::Key_C), EditCommand::Copy},
        {"粘贴", QKeySequence(Qt::CTRL | Qt::Key_V), EditCommand::Paste},
        {"删除", QKeySequence(Qt::CTRL | Qt::Key_Delete), EditCommand::Delete},
        {"全选", QKeySequence(Qt::CTRL | Qt::Key_A), EditCommand::SelectAll},
    };
    QList<std::pair<QAction*, EditCommand>> editActions;
    for (const EditItem& item : items) {
        QAction* a = edit->addAction(QString::fromUtf8(item.text));
        a->setShortcut(item.keys);
        // The focused edit handles these keys itself; the shortcut is shown and used
        // only where no edit takes it.
        a->setShortcutContext(Qt::WidgetShortcut);
        EditCommand command = item.command;
        connect(a, &QAction::triggered, this, [command] { runGuarded([command] { runEditCommand(command); }); });
        editActions << std::make_pair(a, command);
        if (item.command == EditCommand::Undo) edit->addSeparator();
    }
    connect(edit, &QMenu::aboutToShow, this, [editActions] {
        for (const auto& [action, command] : editActions) action->setEnabled(editCommandApplies(command));
    });

    menuBar()->addMenu(QStringLiteral("查看(&V)"));

    QMenu* tools = menuBar()->addMenu(QStringLiteral("工具(&T)"));
    guarded(tools->addAction(QStringLiteral("切换用户")), &TmainForm::switchUserClick);
    guarded(tools->addAction(QStringLiteral("锁定操作")), &TmainForm::lockClick);
    tools->addSeparator();
    connect(tools->addAction(QStringLiteral("修改密码")), &QAction::triggered, this,
            [this] { runGuarded([this] { changePasswordClick(); }); });
    optionItem = tools->addAction(QStringLiteral("选项"));
    optionItem->setEnabled(false);  // only the right option enables it
    guarded(optionItem, &TmainForm::optionClick);

    QMenu* help = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
    guarded(help->addAction(QStringLiteral("禾岚网站")), &TmainForm::webPageClick);
    guarded(help->addAction(QStringLiteral("关于")), &TmainForm::aboutClick);
}

void TmainForm::buildToolBar() {
    QToolBar* bar = addToolBar(QStringLiteral("toolBar"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(30, 30));
    bar->toggleViewAction()->setVisible(false);
    QAction* switchUser = bar->addAction(QIcon(toolBarImage(ToolImage::SwitchUser)), QString());
    switchUser->setToolTip(QStringLiteral("切换用户"));
    guarded(switchUser, &TmainForm::switchUserClick);
    QAction* lock = bar->addAction(QIcon(toolBarImage(ToolImage::Lock)), QString());
    lock->setToolTip(QStringLiteral("锁定工作"));
    guarded(lock, &TmainForm::lockClick);
    bar->addSeparator();
    QAction* web = bar->addAction(QIcon(toolBarImage(ToolImage::WebPage)), QString());
    guarded(web, &TmainForm::webPageClick);
}

void TmainForm::buildLeftPanel(QWidget* left) {
    left->setMinimumWidth(120);
    auto* column = new QVBoxLayout(left);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);

    titlePanel = new TClickLabel(QStringLiteral("系统菜单"), left);
    titlePanel->setAlignment(Qt::AlignCenter);
    titlePanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    titlePanel->setMinimumHeight(26);
    QFont bold = titlePanel->font();
    bold.setBold(true);
    titlePanel->setFont(bold);
    connect(titlePanel, &TClickLabel::clicked, this, [this] { runGuarded([this] { titlePanelClick(); }); });
    column->addWidget(titlePanel);

    functionTree = new QTreeWidget(left);
    functionTree->setHeaderHidden(true);
    functionTree->setIndentation(33);
    functionTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    functionTree->setIconSize(QSize(0, 0));
    connect(functionTree, &QTreeWidget::itemDoubleClicked, this,
            [this] { runGuarded([this] { functionTreeDblClick(); }); });
    column->addWidget(functionTree, 1);

    guestInforGroupBox = new QGroupBox(QStringLiteral("来电信息"), left);
    auto* form = new QFormLayout(guestInforGroupBox);
    guestName = new QLabel(guestInforGroupBox);
    telephone = new QLabel(guestInforGroupBox);
    address = new QPlainTextEdit(guestInforGroupBox);
    address->setReadOnly(true);
    address->setMaximumHeight(60);
    form->addRow(QStringLiteral("客户名称："), guestName);
    form->addRow(QStringLiteral("电话号码："), telephone);
    form->addRow(QStringLiteral("地址："), address);
    guestInforGroupBox->hide();
    column->addWidget(guestInforGroupBox);
}

void TmainForm::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    // The login sequence starts once the window has been painted, outside the paint
    // itself: the window is on the screen before the about box is built.
    if (!loginDone) QTimer::singleShot(0, this, [this] { runGuarded([this] { FormPaint(); }); });
}

void TmainForm::FormPaint() {
    if (loginDone) return;
    loginDone = true;  // paints during the dialogs must not start it again
    {
        TaboutForm about(this);
        about.showExclusive();
    }
    const LoginState before;
    {
        TloginForm login(this);
        login.showExclusive();
    }
    if (before.id == 0 || before.id == currentEmployeeId) {
        applyRights(currentEmployeeId);
        return;
    }
    // A window that refuses to close keeps the old user logged in, so that no window
    // stays usable by someone without its right.
    bool allClosed = false;
    try {
        allClosed = applyRights(currentEmployeeId);
    } catch (...) {
        // applyRights asked every window to close; one that refused stays with the old user.
        if (std::any_of(subForms + 1, subForms + functionCount + 1, [](const auto& form) { return !form.isNull(); }))
            before.restore();
        throw;
    }
    if (!allClosed) {
        before.restore();
        applyRights(currentEmployeeId);
    }
}

void TmainForm::buildFunctionTree(int employeeId) { applyRights(employeeId); }

bool TmainForm::closeFunctionWindows(const std::set<int>& keep) {
    bool allClosed = true;
    for (int id : closingOrder)
        if (subForms[id] && !keep.count(id) && !subForms[id]->close()) allClosed = false;
    return allClosed;
}

bool TmainForm::applyRights(int employeeId) {
    // Nothing is granted until the rights have been read: a failed read leaves "选项"
    // disabled, the tree empty and no function window open.
    functionTree->clear();
    optionItem->setEnabled(false);
    FunctionRights rights;
    try {
        rights = readRights(employeeId);
    } catch (...) {
        closeFunctionWindows({});
        throw;
    }
    QMap<QString, QTreeWidgetItem*> groups;
    const FunctionEntry* entries = functionEntries();
    for (int i = 0; i < functionCount; ++i) {
        const FunctionEntry& e = entries[i];
        if (!rights.granted.count(e.functionId)) continue;
        QTreeWidgetItem* node;
        if (e.group.isEmpty()) {
            node = new QTreeWidgetItem(functionTree, QStringList(e.text));
        } else {
            QTreeWidgetItem*& group = groups[e.group];
            if (!group) {
                group = new QTreeWidgetItem(functionTree, QStringList(e.group));
                group->setData(0, Qt::UserRole, 0);
            }
            node = new QTreeWidgetItem(group, QStringList(e.text));
        }
        node->setData(0, Qt::UserRole, e.functionId);
    }
    functionTree->expandAll();
    optionItem->setEnabled(rights.option);
    // A window whose right the user does not hold (any more) does not stay open.
    return closeFunctionWindows(rights.granted);
}

void TmainForm::functionTreeDblClick() {
    QTreeWidgetItem* node = functionTree->currentItem();
    if (!node) return;
    openFunction(node->data(0, Qt::UserRole).toInt());
}

TparentForm* TmainForm::openFunction(int functionId) {
    const FunctionEntry* entry = functionEntry(functionId);
    if (!entry) return nullptr;
    // Checked here, so a window that opens another one cannot skip the right.
    if (!TRightMgr::hasRight(currentEmployeeId, entry->rightKey)) return nullptr;
    QPointer<TparentForm>& slot = subForms[functionId];
    if (!slot) {
        TparentForm* form = createFunctionWindow(functionId);
        if (!form) return nullptr;  // that window is not part of the program yet
        slot = form;
        form->setSubForm(&slot);
    }
    slot->showInFront();
    return slot;
}

void TmainForm::lockClick() {
    TlockForm lock(this);
    lock.showExclusive();
}

void TmainForm::switchUserClick() {
    // A half-filled password form belongs to the user leaving the screen.
    for (TchangePasswordForm* form : findChildren<TchangePasswordForm*>()) form->close();
    loginDone = false;
    FormPaint();
}

void TmainForm::exitClick() { close(); }

TchangePasswordForm* TmainForm::changePasswordClick() {
    auto* form = new TchangePasswordForm(this);
    form->show();
    return form;
}

void TmainForm::optionClick() {
    if (!optionItem->isEnabled()) return;
    std::unique_ptr<TexclusiveForm> dialog(createOptionsDialog());
    if (dialog) dialog->showExclusive();
}

void TmainForm::aboutClick() {
    TaboutForm about(this);
    about.showExclusive();
}

void TmainForm::webPageClick() { openWebPage(TaboutForm::webAddress); }

void TmainForm::titlePanelClick() { showMessage(QString::number(ctrlCount)); }

void TmainForm::refreshTimerTimer() {
    QString text = QStringLiteral("当前时间：") + formatDateTime(QStringLiteral("yyyy年MM月dd日 hh点nn分ss秒"), Now());
    if (!currentUserName.isEmpty()) text += QStringLiteral("  当前用户:") + currentUserName;
    statusText->setText(text);
}

void TmainForm::closeEvent(QCloseEvent* event) {
    // Every function window is asked (an unsaved bill may refuse): one refusal cancels the exit.
    bool allClosed = true;
    runGuarded([&] { allClosed = closeFunctionWindows({}); });
    if (!allClosed) {
        event->ignore();
        return;
    }
    runGuarded([this] {
        if (existModem) closeModem();
    });
    event->accept();
}

void TmainForm::readConfig() {
    TIniFile ini(appPath + QStringLiteral("config.ini"));
    existModem = ini.readBool(configSection, QStringLiteral("ExistModem"), false);
    modemPort = ini.readInteger(configSection, QStringLiteral("ModemPort"), 0);
    modemCommand = ini.readString(configSection, QStringLiteral("ModemCommand"), QString());
}

void TmainForm::openModem() {
    auto comm = std::make_unique<TSerialPort>();
    connect(comm.get(), &TSerialPort::OnComm, this, [this] { runGuarded([this] { MSCommComm(); }); });
    try {
        comm->setInBufferCount(0);
        comm->setRThreshold(1);
        comm->setCommPort(qint16(modemPort));
        comm->setPortOpen(true);
        comm->setDTREnable(true);
        comm->setRTSEnable(true);
        comm->setOutput(modemCommand + QChar(13));
    } catch (const std::exception&) {
        return;  // no modem: the program runs without the caller display
    }
    comm->setParent(this);
    MSComm = comm.release();
}

void TmainForm::restartTelephoneTimer() {
    ctrlTelephoneTimer->stop();
    ctrlTelephoneTimer->start();
}

void TmainForm::MSCommComm() {
    if (!MSComm) return;
    TCallerLineBuffer::Result lines = callerLines.feed(MSComm->input());
    if (lines.ring) restartTelephoneTimer();
    if (!lines.hasNumber) return;
    restartTelephoneTimer();
    guestInforGroupBox->show();
    incomingTelephone = lines.number;
    // A private or unavailable number is no number: no guest is looked up for it.
    std::optional<TPOGuest> guest;
    if (!lines.number.isEmpty()) guest = TGuestMgr::getGuestByTelephone(lines.number);
    if (guest) {
        guestName->setText(guest->getName());
        telephone->setText(guest->getTelephone());
        address->setPlainText(guest->getAddress());
    } else {
        guestName->clear();
        telephone->setText(lines.number);
        address->clear();
    }
}

void TmainForm::ctrlTelephoneTimerTimer() {
    guestInforGroupBox->hide();
    ctrlTelephoneTimer->stop();
}

void TmainForm::closeModem() {
    if (!MSComm) return;
    try {
        MSComm->setPortOpen(false);
        MSComm->setDTREnable(false);
        MSComm->setRTSEnable(false);
    } catch (const std::exception&) {
        // closing never bothers the user
    }
}
