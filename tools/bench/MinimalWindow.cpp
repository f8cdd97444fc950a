// The reference for the start-up measure: the least a Qt Widgets program does to
// show one window with a Chinese caption, started as the benchmark starts the
// program. Prints "shown" at its first paint, then its peak memory, and ends.
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include "bench/ChildReport.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("禾岚餐饮系统"));
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("禾岚餐饮系统"), &window));
    window.resize(800, 600);
    FirstPaintReporter reporter(&window, [] { QTimer::singleShot(0, [] { reportPeakMemoryAndQuit(); }); });
    window.show();
    return app.exec();
}
