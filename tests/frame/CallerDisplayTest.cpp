#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <time.h>

#include "../platform/PtyModem.h"
#include "frame/FrameFixture.h"

namespace {
// The modem is on port 2; config.ini is read from a temporary program folder.
class CallerDisplayTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        ASSERT_FALSE(modem.slave.isEmpty());
        exec("insert into guest (id,name,address,telephone) values (7,'周先生','北京路8号','13812345678')");
    }
    // Writes config.ini (unless empty) and opens the modem as the main window's creation does.
    void start(TmainForm& main, const QByteArray& config) {
        if (!config.isEmpty()) {
            QFile f(folder.filePath("config.ini"));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(config);
        }
        appPath = folder.path() + "/";
        main.readConfig();
        if (existModem) main.openModem();
    }
    // The modem sends one batch; the events run until the main window has read it.
    void modemSends(TmainForm& main, const QByteArray& bytes, PtyModem* through = nullptr) {
        QSignalSpy comm(main.MSComm, &TSerialPort::OnComm);
        (through ? *through : modem).sends(bytes);
        ASSERT_TRUE(comm.wait(5000));
        QCoreApplication::processEvents();
    }
    // The panel's state as "shown|name|telephone|address", and the number kept.
    QString panel(const TmainForm& main) {
        return QStringList({main.guestInforGroupBox->isHidden() ? "hidden" : "shown", main.guestName->text(),
                            main.telephone->text(), main.address->toPlainText(), incomingTelephone})
            .join("|");
    }
    const QByteArray config = "[MSCOMM]\nExistModem=1\nModemPort=2\nModemCommand=AT#CID=1\n";
    PtyModem modem{2};
    QTemporaryDir folder;
};
}  // namespace

TEST_F(CallerDisplayTest, RingAndNumbersAsTheModemSendsThemOnTheShownMainWindow) {
    exec("insert into guest (id,name,address,telephone) values (8,'吴女士','南京路1号','13800138000');"
         "insert into guest (id,name,address,telephone) values (9,'无电话','','')");
    TmainForm main;
    start(main, config);
    showLoggedIn(main, "admin", "admin");
    ASSERT_TRUE(main.MSComm);
    EXPECT_EQ(modem.reads(9), QByteArray("AT#CID=1\r"));

    modemSends(main, "\r\nRING\r\n");  // a ring alone restarts the timer, no panel
    EXPECT_EQ(panel(main), "hidden||||");
    EXPECT_TRUE(main.ctrlTelephoneTimer->isActive());
    main.ctrlTelephoneTimerTimer();
    EXPECT_FALSE(main.ctrlTelephoneTimer->isActive());

    modemSends(main, "NMBR=13812345678\r\n");
    EXPECT_EQ(panel(main), "shown|周先生|13812345678|北京路8号|13812345678");
    EXPECT_TRUE(main.ctrlTelephoneTimer->isActive());

    // A second caller, its number split over two reads: nothing half-read is shown.
    modemSends(main, "RING\r\nNMBR=0105");
    EXPECT_EQ(panel(main), "shown|周先生|13812345678|北京路8号|13812345678");
    modemSends(main, "550123\r\n");
    EXPECT_EQ(panel(main), "shown||0105550123||0105550123");
    EXPECT_TRUE(main.ctrlTelephoneTimer->isActive());
    main.ctrlTelephoneTimerTimer();  // the number stays for the reservation dialog
    EXPECT_EQ(panel(main), "hidden||0105550123||0105550123");

    // A whole burst, a known guest, and the next ring in the same read.
    modemSends(main, "\r\nDATE=0305\r\nTIME=1407\r\nNMBR=13812345678\r\nNAME=ZHOU\r\n\r\nRING\r\n");
    EXPECT_EQ(panel(main), "shown|周先生|13812345678|北京路8号|13812345678");

    // Blanks around "=", as some modems send them; a withheld number is no number:
    // nothing of the last caller, and no guest without a telephone.
    modemSends(main, "\r\nRING\r\n\r\nNMBR = 13800138000\r\n");
    EXPECT_EQ(panel(main), "shown|吴女士|13800138000|南京路1号|13800138000");
    modemSends(main, "\r\nRING\r\n\r\nNMBR=P\r\n");
    EXPECT_EQ(panel(main), "shown||||");
    main.close();
    EXPECT_FALSE(main.MSComm->portOpen());
}

TEST_F(CallerDisplayTest, NoConfigOrAMissingPortLeavesTheProgramWithoutModem) {
    for (const QByteArray& config : {QByteArray(), QByteArray("[MSCOMM]\nExistModem=true\nModemPort=5\n")}) {
        TmainForm main;
        start(main, config);
        EXPECT_EQ(existModem, !config.isEmpty());
        EXPECT_FALSE(main.MSComm);
        main.close();  // closing does nothing for the modem
    }
    EXPECT_EQ(modemPort, 5);
    EXPECT_EQ(answers.count(), 0);  // all of it silent
}

TEST_F(CallerDisplayTest, AnUnpluggedModemClosesThePortOnceAndLeavesTheProgramIdle) {
    TmainForm main;
    start(main, config);
    showLoggedIn(main, "admin", "admin");
    ASSERT_TRUE(main.MSComm && main.MSComm->portOpen());
    ::close(modem.master);  // the modem is unplugged
    modem.master = -1;
    auto cpuSeconds = [] {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return double(t.tv_sec) + t.tv_nsec / 1e9;
    };
    const double before = cpuSeconds();
    QEventLoop twoSeconds;
    QTimer::singleShot(2000, &twoSeconds, &QEventLoop::quit);
    twoSeconds.exec();
    EXPECT_LT(cpuSeconds() - before, 0.1);
    EXPECT_FALSE(main.MSComm->portOpen());
    EXPECT_EQ(answers.count(), 0);

    PtyModem pluggedIn(2);  // a later start opens the port again
    ASSERT_NO_THROW(main.MSComm->setPortOpen(true));
    modemSends(main, "NMBR=13812345678\r\n", &pluggedIn);
    EXPECT_EQ(panel(main), "shown|周先生|13812345678|北京路8号|13812345678");
}
