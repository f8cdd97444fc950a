#include <QDeadlineTimer>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include "frame/FrameFixture.h"
#include "frame/GlobalsUnit.h"
#include "platform/SerialPortUnit.h"

namespace {
// The modem is played on the master side of a pseudo-terminal; the main window's
// port 2 opens the slave side.
class CallerDisplayTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        master = posix_openpt(O_RDWR | O_NOCTTY);
        ASSERT_GE(master, 0);
        ASSERT_EQ(grantpt(master), 0);
        ASSERT_EQ(unlockpt(master), 0);
        QString slave = QString::fromLocal8Bit(ptsname(master));
        TSerialPort::setDevicePathResolver([slave](int port) { return port == 2 ? slave : QString("/nonexistent"); });
        exec("insert into guest (id,name,address,telephone) values (7,'周先生','北京路8号','13812345678')");
    }
    void TearDown() override {
        TSerialPort::setDevicePathResolver(nullptr);
        if (master >= 0) ::close(master);
        FrameTest::TearDown();
    }
    // Writes config.ini into the folder that start() makes the program's directory.
    void writeConfig(const QByteArray& text) {
        QFile f(config.filePath("config.ini"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
        f.close();
    }
    // Opens the modem as the main window's creation does.
    void start(TmainForm& main) {
        appPath = config.path();
        main.readConfig();
        if (existModem) main.openModem();
    }
    QByteArray modemReads(int size) {
        QByteArray got;
        QDeadlineTimer deadline(5000);
        while (got.size() < size && !deadline.hasExpired()) {
            pollfd p{master, POLLIN, 0};
            if (::poll(&p, 1, 100) > 0 && (p.revents & POLLIN)) {
                char buf[256];
                ssize_t n = ::read(master, buf, sizeof buf);
                if (n > 0) got.append(buf, int(n));
            }
        }
        return got;
    }
    // The modem sends one batch; the events run until the main window has read it all.
    void modemSends(TmainForm& main, const QByteArray& bytes) {
        ASSERT_EQ(::write(master, bytes.constData(), bytes.size()), bytes.size());
        QSignalSpy comm(main.MSComm, &TSerialPort::OnComm);
        ASSERT_TRUE(comm.wait(5000));
        QCoreApplication::processEvents();
    }
    bool panelShown(const TmainForm& main) { return !main.guestInforGroupBox->isHidden(); }

    int master = -1;
    QTemporaryDir config;
};
}  // namespace

TEST_F(CallerDisplayTest, RingAndNumbersAsTheModemSendsThem) {
    writeConfig("[MSCOMM]\nExistModem=1\nModemPort=2\nModemCommand=AT#CID=1\n");
    TmainForm main;
    start(main);
    ASSERT_TRUE(main.MSComm);
    EXPECT_EQ(modemReads(9), QByteArray("AT#CID=1\r"));

    // A ring alone restarts the timer but shows no panel.
    modemSends(main, "\r\nRING\r\n");
    EXPECT_FALSE(panelShown(main));
    EXPECT_TRUE(main.ctrlTelephoneTimer->isActive());
    main.ctrlTelephoneTimerTimer();
    EXPECT_FALSE(main.ctrlTelephoneTimer->isActive());

    // A number in one read: the guest of that telephone is shown.
    modemSends(main, "NMBR=13812345678\r\n");
    EXPECT_TRUE(panelShown(main));
    EXPECT_TRUE(main.ctrlTelephoneTimer->isActive());
    EXPECT_EQ(incomingTelephone, "13812345678");
    EXPECT_EQ(main.guestName->text(), "周先生");
    EXPECT_EQ(main.telephone->text(), "13812345678");
    EXPECT_EQ(main.address->toPlainText(), "北京路8号");

    // A second caller, its number split over two reads: nothing half-read is shown.
    modemSends(main, "RING\r\nNMBR=0105");
    EXPECT_EQ(incomingTelephone, "13812345678");
    EXPECT_EQ(main.guestName->text(), "周先生");
    modemSends(main, "550123\r\n");
    EXPECT_EQ(incomingTelephone, "0105550123");
    EXPECT_EQ(main.guestName->text(), "");
    EXPECT_EQ(main.telephone->text(), "0105550123");
    EXPECT_EQ(main.address->toPlainText(), "");

    // The timer hides the panel; the number stays for the reservation dialog.
    main.ctrlTelephoneTimerTimer();
    EXPECT_FALSE(panelShown(main));
    EXPECT_EQ(incomingTelephone, "0105550123");

    // A whole caller-ID burst in one read: only the number is taken.
    modemSends(main, "\r\nDATE=0305\r\nTIME=1407\r\nNMBR=13812345678\r\nNAME=ZHOU\r\n\r\nRING\r\n");
    EXPECT_TRUE(panelShown(main));
    EXPECT_EQ(incomingTelephone, "13812345678");
    EXPECT_EQ(main.guestName->text(), "周先生");

    main.close();
    EXPECT_FALSE(main.MSComm->portOpen());
}

TEST_F(CallerDisplayTest, NoConfigOrAMissingPortLeavesTheProgramWithoutModem) {
    {
        TmainForm main;  // no config.ini in the folder
        start(main);
        EXPECT_FALSE(existModem);
        EXPECT_FALSE(main.MSComm);
        main.close();
    }
    writeConfig("[MSCOMM]\nExistModem=true\nModemPort=5\n");
    TmainForm main;
    start(main);
    EXPECT_TRUE(existModem);
    EXPECT_EQ(modemPort, 5);
    EXPECT_FALSE(main.MSComm);
    main.close();  // closing does nothing for the modem
    EXPECT_EQ(answers.count(), 0);  // all of it silent
}
