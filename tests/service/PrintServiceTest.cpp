// Kitchen tickets against a real print service: a private cupsd of the test's own
// with two cups-pdf queues, the program pointed at it through CUPS_SERVER. cups-pdf
// reads its settings from /etc/cups only, so cupsd runs in a mount namespace of its
// own where the test's folder stands in for /etc/cups; nothing of the machine's own
// print service is touched.
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <csignal>
#include <dlfcn.h>
#include <thread>
#include <unistd.h>

#include "platform/Printers.h"
#include "service/SellFixture.h"

namespace {
const char* const cupsd = "/usr/sbin/cupsd";
const char* const cupsPdfBackend = "/usr/lib/cups/backend/cups-pdf";
const char* const cupsPdfModel = "/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd";

// Waits, polling, until `done` holds or `ms` have passed.
bool waitFor(const std::function<bool()>& done, int ms) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms) return false;
        QThread::msleep(20);
    }
    return true;
}

// Points libcups at a server, or back at the machine's own for none. libcups keeps
// the server it read from CUPS_SERVER once used in the process, by Qt or by the
// printer layer, so the variable alone would not do in a run of several tests.
void useCupsServer(const QString& socket) {
    if (socket.isEmpty())
        qunsetenv("CUPS_SERVER");
    else
        qputenv("CUPS_SERVER", socket.toLocal8Bit());
    using SetServer = void (*)(const char*);
    if (void* library = dlopen("libcups.so.2", RTLD_NOW | RTLD_LOCAL))
        if (auto setServer = reinterpret_cast<SetServer>(dlsym(library, "cupsSetServer")))
            setServer(socket.isEmpty() ? nullptr : socket.toLocal8Bit().constData());
}

bool writeFile(const QString& path, const QString& text) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text.toUtf8()) == text.toUtf8().size();
}
}  // namespace

class PrintServiceTest : public SellFormTest {
protected:
    void SetUp() override {
        SellFormTest::SetUp();
        const QString why = startService();
        if (!why.isEmpty()) GTEST_SKIP() << "no private print service: " << why.toStdString();
        exec("update sys_set set value='kitchen' where code='P001'");
        exec("update sys_set set value='bar' where code='P002'");
        addInstance(50, t101, "TIS001");
        fire(form->MTimer);
    }
    void TearDown() override {
        stopService();
        SellFormTest::TearDown();
    }

    // "" once cupsd answers with both queues set up; else why it could not.
    QString startService() {
        if (geteuid() != 0) return "cups-pdf prints only under a cupsd started by root";
        for (const char* file : {cupsd, cupsPdfBackend, cupsPdfModel, "/usr/bin/unshare", "/usr/sbin/lpadmin"})
            if (!QFile::exists(file)) return QString("%1 is not installed").arg(file);
        if (!dir.isValid()) return "no temporary folder";
        // The filters run as the service's own user, who must reach the spool.
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                              QFileDevice::ReadOther | QFileDevice::ExeOther |
                                              QFileDevice::ReadGroup | QFileDevice::ExeGroup);
        for (const char* sub : {"etc/ppd", "spool/tmp", "cache", "state", "log", "out"}) QDir(dir.path()).mkpath(sub);
        socket = dir.filePath("cups.sock");
        bool written = writeFile(dir.filePath("etc/cupsd.conf"),
                                 "Listen " + socket + "\nLogLevel info\nBrowsing No\nWebInterface No\n"
                                 "DefaultAuthType None\n<Location />\nOrder allow,deny\nAllow all\n</Location>\n"
                                 "<Policy default>\n<Limit All>\nOrder deny,allow\n</Limit>\n</Policy>\n");
        written = written && writeFile(dir.filePath("etc/cups-files.conf"),
                                       QString("ServerRoot %1/etc\nRequestRoot %1/spool\nTempDir %1/spool/tmp\n"
                                               "CacheDir %1/cache\nStateDir %1/state\nAccessLog %1/log/access_log\n"
                                               "ErrorLog %1/log/error_log\nPageLog %1/log/page_log\nPrintcap %1/printcap\n")
                                           .arg(dir.path()));
        // Each file named after its job: <title>-job_<id>.pdf.
        for (const char* queue : {"kitchen", "bar", "aaa"})
            written = written && writeFile(dir.filePath(QString("etc/cups-pdf-%1.conf").arg(queue)),
                                           QString("Out %1/out/%2\nLabel 2\nSpool %1/spool-pdf\nLog %1/log\n")
                                               .arg(dir.path(), queue));
        if (!written) return "cannot write its configuration";
        useCupsServer(socket);
        service.setProcessChannelMode(QProcess::MergedChannels);
        // unshare and sh exec what follows: the process started is cupsd itself.
        service.start("/usr/bin/unshare",
                      {"--mount", "--propagation", "private", "--", "/bin/sh", "-c",
                       "mount --bind \"$0/etc\" /etc/cups && exec \"$1\" -f -c \"$0/etc/cupsd.conf\" "
                       "-s \"$0/etc/cups-files.conf\"",
                       dir.path(), cupsd});
        if (!service.waitForStarted(5000)) return "cannot start unshare";
        pid = service.processId();
        auto answers = [] {
            QProcess lpstat;
            lpstat.start("lpstat", {"-r"});
            return lpstat.waitForFinished(5000) && lpstat.readAllStandardOutput().startsWith("scheduler is running");
        };
        if (!waitFor([&] { return service.state() != QProcess::Running || answers(); }, 10000) ||
            service.state() != QProcess::Running) {
            service.waitForFinished(1000);
            return "cupsd did not start: " + QString::fromLocal8Bit(service.readAll()).trimmed();
        }
        for (const char* queue : {"kitchen", "bar"})
            if (!addQueue(queue)) return QString("cannot add the queue %1").arg(queue);
        return QString();
    }
    void stopService() {
        if (pid <= 0) return;
        kill(pid, SIGCONT);
        kill(pid, SIGTERM);
        if (!service.waitForFinished(10000)) {
            kill(pid, SIGKILL);
            service.waitForFinished(5000);
        }
        pid = 0;
        useCupsServer(QString());
    }
    int tool(const QString& program, const QStringList& args) {
        QProcess p;
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p.start(program, args);
        if (!p.waitForFinished(10000)) {
            p.kill();
            p.waitForFinished();
            return -1;
        }
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }
    bool addQueue(const QString& queue) {
        return tool("lpadmin", {"-p", queue, "-E", "-v", "cups-pdf:/" + queue, "-P", cupsPdfModel}) == 0;
    }

    // Dish lines of table 101, due, on the printers named (kitchen P001, bar P002).
    void addLines(int firstId, const QStringList& printerCodes) {
        int id = firstId;
        for (const QString& code : printerCodes)
            exec(QString("insert into menu_instance(id,consult_id,rela_type,menu_name,price,quantity,state,serving,"
                         "print_state,printer_code) values(%1,50,'MIR003','菜%1',10,1,'MI001','MI004','MIP001','%2')")
                     .arg(id++)
                     .arg(code));
    }
    void printMenu() {
        clickTable(t101);
        click(form->menuSendCookBtn);
    }
    // The job ids whose ticket a queue's output holds.
    QList<int> printed(const QString& queue) {
        QList<int> ids;
        for (const QString& name : QDir(dir.filePath("out/" + queue)).entryList({"*.pdf"}, QDir::Files)) {
            const QRegularExpressionMatch m = QRegularExpression("-job_(\\d+)\\.pdf$").match(name);
            if (m.hasMatch()) ids << m.captured(1).toInt();
        }
        std::sort(ids.begin(), ids.end());
        return ids;
    }
    // Waits until the queues' output holds `count` tickets together; cups-pdf writes
    // each file only when the job is done.
    bool outputHolds(int count) {
        return waitFor([&] { return printed("kitchen").size() + printed("bar").size() + printed("aaa").size() >= count; },
                       30000);
    }
    // The end of the service's log, to say why a ticket did not come out.
    std::string serviceLog() {
        QFile log(dir.filePath("log/error_log"));
        log.open(QIODevice::ReadOnly);
        return QString::fromLocal8Bit(log.readAll()).right(3000).toStdString();
    }
    QStringList printStates() { return rows("select print_state from menu_instance order by id"); }

    QTemporaryDir dir;
    QString socket;
    QProcess service;
    qint64 pid = 0;
};

TEST_F(PrintServiceTest, EachTicketPrintsOnceInItsOwnQueueAndAStalledServiceFailsInTime) {
    // 24 lines, two kitchen ones and a bar one in turn; a queue whose name sorts
    // before both is added once the service has the first ticket.
    QStringList codes;
    QList<int> kitchenJobs, barJobs;
    for (int i = 0; i < 24; ++i) {
        codes << (i % 3 == 2 ? "P002" : "P001");
        (i % 3 == 2 ? barJobs : kitchenJobs) << i + 1;
    }
    addLines(101, codes);
    std::atomic<int> jobsBeforeTheQueue{-1};
    std::thread adder([&] {
        const QDir spool(dir.filePath("spool"));
        if (!waitFor([&] { return spool.exists("d00001-001"); }, 30000)) return;
        if (!addQueue("aaa")) return;
        jobsBeforeTheQueue = int(spool.entryList({"d*"}, QDir::Files).size());
    });
    printMenu();
    adder.join();
    EXPECT_TRUE(answers.texts().isEmpty()) << answers.texts().join('\n').toStdString();
    ASSERT_TRUE(outputHolds(24)) << serviceLog();
    EXPECT_EQ(printed("kitchen"), kitchenJobs);
    EXPECT_EQ(printed("bar"), barJobs);
    EXPECT_EQ(printed("aaa"), QList<int>());
    EXPECT_GE(jobsBeforeTheQueue, 1);
    EXPECT_LT(jobsBeforeTheQueue, 24);  // the queue came in the middle of the run
    EXPECT_EQ(printStates(), QStringList(24, "MIP002"));

    // A queue that refuses jobs stops the run at its line.
    addLines(125, {"P001", "P002", "P001"});
    ASSERT_EQ(tool("cupsreject", {"bar"}), 0);
    printMenu();
    EXPECT_EQ(answers.texts(), QStringList({"打印机(bar)无法开始打印！"}));
    EXPECT_EQ(printStates().mid(24), QStringList({"MIP002", "MIP001", "MIP001"}));
    ASSERT_EQ(tool("cupsaccept", {"bar"}), 0);

    // A service that stops answering fails the print within the bound, marking
    // nothing; once it answers again, the next run prints each due line once.
    answers.clear();
    kill(pid, SIGSTOP);
    QElapsedTimer stalled;
    stalled.start();
    printMenu();
    const qint64 waited = stalled.elapsed();
    kill(pid, SIGCONT);
    std::printf("stalled print service: failed after %lld ms\n", static_cast<long long>(waited));
    EXPECT_LT(waited, 2 * printServiceTimeoutMs);
    EXPECT_EQ(answers.texts(), QStringList({"打印机(bar)无法开始打印！"}));
    EXPECT_EQ(printStates().mid(24), QStringList({"MIP002", "MIP001", "MIP001"}));
    answers.clear();
    printMenu();
    EXPECT_TRUE(answers.texts().isEmpty()) << answers.texts().join('\n').toStdString();
    EXPECT_EQ(printStates(), QStringList(27, "MIP002"));
    ASSERT_TRUE(outputHolds(27)) << serviceLog();
    EXPECT_EQ(printed("kitchen").size(), 18);
    EXPECT_EQ(printed("bar").size(), 9);
    EXPECT_EQ(printed("aaa"), QList<int>());
}
