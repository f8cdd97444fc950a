// Starts the program: the main window only; everything else is reached from it.
#include <QApplication>

#include "app/ProgramWindows.h"
#include "frame/MainUnit.h"
#include "platform/AppControl.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    loadQtChineseTexts();
    registerProgramWindows();
    TmainForm main;  // sets mainForm; the database opens on first use, from db/db.mdb
    main.showAtStart();
    return app.exec();
}
