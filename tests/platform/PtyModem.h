#pragma once
// A pseudo-terminal plays the modem on serial port `port`: the port opens the slave
// side, the test reads and writes the master side. Other ports do not exist.
#include <QByteArray>
#include <QDeadlineTimer>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include "platform/SerialPortUnit.h"

struct PtyModem {
    explicit PtyModem(int port) {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        if (master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0)
            slave = QString::fromLocal8Bit(ptsname(master));
        TSerialPort::setDevicePathResolver([port, path = slave](int p) { return p == port ? path : QString("/nonexistent"); });
    }
    ~PtyModem() {
        TSerialPort::setDevicePathResolver(nullptr);
        if (master >= 0) ::close(master);
    }
    // What the port wrote, until `size` bytes came or five seconds passed.
    QByteArray reads(int size) {
        QByteArray got;
        QDeadlineTimer deadline(5000);
        while (got.size() < size && !deadline.hasExpired()) {
            pollfd p{master, POLLIN, 0};
            char buf[256];
            ssize_t n = ::poll(&p, 1, 100) > 0 ? ::read(master, buf, sizeof buf) : 0;
            if (n > 0) got.append(buf, int(n));
        }
        return got;
    }
    void sends(const QByteArray& bytes) { ASSERT_EQ(::write(master, bytes.constData(), bytes.size()), bytes.size()); }
    int master = -1;
    QString slave;
};
