// Starts the program: the main window only; everything else is reached from it.
#include <QApplication>
#include <QScreen>

#include "app/ProgramWindows.h"
#include "frame/MainUnit.h"
#include "platform/AppControl.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    loadQtChineseTexts();
    registerProgramWindows();
    TmainForm main;  // sets mainForm; the database opens on first use, from db/db.mdb
    // A screen without a window manager ignores maximising: fill it anyway.
    main.setGeometry(main.screen()->availableGeometry());
    main.showMaximized();
    return app.exec();
}
