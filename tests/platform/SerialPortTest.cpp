#include <QTest>
#include <gtest/gtest.h>

#include "PtyModem.h"
#include "platform/Errors.h"

TEST(SerialPort, CommandGoesOutAndReceivedTextComesInThroughTheEvent) {
    PtyModem modem(3);
    ASSERT_FALSE(modem.slave.isEmpty());
    TSerialPort port;
    port.setInBufferCount(0);
    port.setRThreshold(1);
    port.setCommPort(3);
    port.setPortOpen(true);
    port.setOutput("AT#CID=1\r");
    EXPECT_EQ(modem.reads(9), QByteArray("AT#CID=1\r"));

    QString received;  // read in the event handler, as the main window does
    QObject::connect(&port, &TSerialPort::OnComm, [&] { received += port.input(); });
    modem.sends("\r\nRING\r\n\r\nNMBR=13812345678\r\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return received.endsWith("5678\r\n"); }, 5000));
    EXPECT_EQ(received, "\r\nRING\r\n\r\nNMBR=13812345678\r\n");
    EXPECT_EQ(port.input(), "");  // already read

    port.setPortOpen(false);
    EXPECT_FALSE(port.portOpen());
    EXPECT_THROW(port.setOutput("AT\r"), SystemError);
}

TEST(SerialPort, MissingPortThrowsOnOpenAndClosingNeverThrows) {
    PtyModem modem(3);
    TSerialPort port;
    port.setCommPort(7);
    EXPECT_THROW(port.setPortOpen(true), SystemError);
    EXPECT_FALSE(port.portOpen());
    EXPECT_NO_THROW(port.setPortOpen(false));
    EXPECT_NO_THROW(port.setDTREnable(false));
    TSerialPort::setDevicePathResolver(nullptr);  // the real ports count from ttyS0
    EXPECT_EQ(TSerialPort::devicePath(1), "/dev/ttyS0");
}
