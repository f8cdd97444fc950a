#include <QDeadlineTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include "platform/Errors.h"
#include "platform/SerialPortUnit.h"

namespace {
// A pseudo-terminal stands in for the modem: the port opens the slave side, the test
// plays the modem on the master side.
class SerialPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        ASSERT_GE(master, 0);
        ASSERT_EQ(grantpt(master), 0);
        ASSERT_EQ(unlockpt(master), 0);
        const QString slave = QString::fromLocal8Bit(ptsname(master));
        TSerialPort::setDevicePathResolver([slave](int port) { return port == 3 ? slave : QString(); });
    }
    void TearDown() override {
        TSerialPort::setDevicePathResolver(nullptr);
        if (master >= 0)
            ::close(master);
    }
    // What the port wrote, read until `size` bytes came or a few seconds passed.
    QByteArray modemReads(int size) {
        QByteArray got;
        QDeadlineTimer deadline(5000);
        while (got.size() < size && !deadline.hasExpired()) {
            pollfd p{master, POLLIN, 0};
            if (::poll(&p, 1, 100) > 0 && (p.revents & POLLIN)) {
                char buf[256];
                const ssize_t n = ::read(master, buf, sizeof buf);
                if (n > 0)
                    got.append(buf, int(n));
            }
        }
        return got;
    }
    void modemSends(const QByteArray& bytes) {
        ASSERT_EQ(::write(master, bytes.constData(), bytes.size()), bytes.size());
    }
    // Opens port 3 the way the main window opens the modem.
    void openAsModem(TSerialPort& port, const QString& command) {
        port.setInBufferCount(0);
        port.setRThreshold(1);
        port.setCommPort(3);
        port.setPortOpen(true);
        port.setDTREnable(true);
        port.setRTSEnable(true);
        port.setOutput(command + QChar(13));
    }
    int master = -1;
};
}  // namespace

TEST_F(SerialPortTest, CommandGoesOutAndReceivedTextComesInThroughTheEvent) {
    TSerialPort port;
    openAsModem(port, "AT#CID=1");
    EXPECT_TRUE(port.portOpen());
    EXPECT_EQ(modemReads(9), QByteArray("AT#CID=1\r"));

    QSignalSpy comm(&port, &TSerialPort::OnComm);
    modemSends("\r\nRING\r\n\r\nNMBR=13812345678\r\n");
    QString received;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        received += port.input();
        return received.endsWith("13812345678\r\n");
    }, 5000));
    EXPECT_GE(comm.count(), 1);
    EXPECT_EQ(received, "\r\nRING\r\n\r\nNMBR=13812345678\r\n");
    EXPECT_EQ(port.input(), "");  // already read

    // Input not read yet is thrown away by a buffer count of 0.
    comm.clear();
    modemSends("stale");
    EXPECT_TRUE(comm.wait(5000));
    port.setInBufferCount(0);
    EXPECT_EQ(port.input(), "");

    port.setPortOpen(false);
    EXPECT_FALSE(port.portOpen());
    EXPECT_NO_THROW(port.setPortOpen(false));
    EXPECT_THROW(port.setOutput("AT\r"), SystemError);
}

TEST_F(SerialPortTest, MissingPortThrowsOnOpenAndClosingNeverThrows) {
    QTemporaryDir dir;
    TSerialPort::setDevicePathResolver([&dir](int) { return dir.filePath("nosuchport"); });
    TSerialPort port;
    port.setCommPort(7);
    EXPECT_THROW(port.setPortOpen(true), SystemError);
    EXPECT_FALSE(port.portOpen());
    EXPECT_NO_THROW(port.setPortOpen(false));
    EXPECT_NO_THROW(port.setDTREnable(false));
    EXPECT_NO_THROW(port.setRTSEnable(false));

    TSerialPort::setDevicePathResolver(nullptr);
    EXPECT_EQ(TSerialPort::devicePath(1), "/dev/ttyS0");
    EXPECT_EQ(TSerialPort::devicePath(4), "/dev/ttyS3");
}
