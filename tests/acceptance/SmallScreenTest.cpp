// On a 1024 x 768 screen every function window, maximised in the main window, fits
// the window area: nothing of it lies beyond the edge where no scroll bar reaches.
#include <QMdiArea>
#include <QMdiSubWindow>

#include "app/ProgramWindows.h"
#include "service/ServiceFixture.h"

namespace {
class SmallScreenTest : public ServiceTest {};
}  // namespace

TEST_F(SmallScreenTest, EveryFunctionWindowFitsTheMainWindowOfA1024By768Screen) {
    registerProgramWindows();
    setNowForTest(encodeDateTime(2024, 5, 10, 12, 0, 0));
    TmainForm main;
    showLoggedIn(main, "admin", "admin");
    main.resize(1024, 768);
    for (int id = 1; id <= functionCount; ++id) {
        TparentForm* form = main.openFunction(id);
        ASSERT_TRUE(form) << id;
        QMdiSubWindow* frame = main.mdiArea()->activeSubWindow();
        frame->showMaximized();
        const QRect area = main.mdiArea()->viewport()->rect();
        EXPECT_TRUE(area.contains(frame->geometry()))
            << form->windowTitle().toStdString() << ": " << frame->width() << "x" << frame->height() << " in "
            << area.width() << "x" << area.height();
        form->close();
    }
}
