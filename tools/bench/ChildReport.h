#pragma once
// What the started programs of the start-up measure tell the benchmark, one line
// each on standard output: "shown" at the first paint of their first window, then
// "memory <kB>", the peak resident size, when they are done.
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QObject>
#include <QWidget>
#include <cstdio>
#include <functional>

inline long peakMemoryKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

inline void reportPeakMemoryAndQuit() {
    QCoreApplication::processEvents();
    std::printf("memory %ld\n", peakMemoryKb());
    std::fflush(stdout);
    QCoreApplication::exit(0);
}

// Says "shown" once, at the first paint of the watched window, then runs `then`.
class FirstPaintReporter : public QObject {
public:
    FirstPaintReporter(QWidget* window, std::function<void()> then) : then(std::move(then)) {
        window->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !done) {
            done = true;
            std::printf("shown\n");
            std::fflush(stdout);
            if (then) then();
        }
        return false;
    }

private:
    std::function<void()> then;
    bool done = false;
};
