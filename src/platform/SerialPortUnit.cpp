#include "platform/SerialPortUnit.h"

#include <QSerialPort>

#include "platform/Errors.h"

namespace {
std::function<QString(int)>& pathResolver() {
    static std::function<QString(int)> resolver;
    return resolver;
}
}  // namespace

TSerialPort::TSerialPort(QObject* parent) : QObject(parent), serial(std::make_unique<QSerialPort>()) {
    connect(serial.get(), &QSerialPort::readyRead, this, [this] {
        if (threshold >= 1)
            emit OnComm();
    });
    // An unplugged modem (a read error or a hang-up) would raise the same error on every
    // turn of the event loop: the port closes once, quietly, and a later open starts afresh.
    // Queued, so the port is not closed inside its own notification.
    connect(serial.get(), &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
        if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError)
            return;
        serial->clearError();
        if (serial->isOpen())
            serial->close();
    }, Qt::QueuedConnection);
}

TSerialPort::~TSerialPort() {
    if (serial->isOpen())
        serial->close();
}

QString TSerialPort::devicePath(int port) {
    if (pathResolver())
        return pathResolver()(port);
    return QStringLiteral("/dev/ttyS%1").arg(port - 1);
}

void TSerialPort::setDevicePathResolver(std::function<QString(int)> resolver) {
    pathResolver() = std::move(resolver);
}

void TSerialPort::setInBufferCount(int count) {
    // Only 0 means anything: it throws away what arrived and was not read yet.
    if (count != 0 || !serial->isOpen())
        return;
    serial->clear(QSerialPort::Input);
    serial->readAll();
}

void TSerialPort::setRThreshold(int value) {
    threshold = value;
}

void TSerialPort::setCommPort(int value) {
    port = value;
}

void TSerialPort::setPortOpen(bool open) {
    if (open == serial->isOpen())
        return;
    if (!open) {
        serial->close();
        return;
    }
    serial->setPortName(devicePath(port));
    if (!serial->open(QIODevice::ReadWrite)) {
        const QString reason = serial->errorString();
        serial->clearError();
        throw SystemError(QStringLiteral("串口 %1 无法打开：%2").arg(port).arg(reason));
    }
    applyLines();
}

bool TSerialPort::portOpen() const {
    return serial->isOpen();
}

void TSerialPort::setDTREnable(bool on) {
    dtr = on;
    applyLines();
}

void TSerialPort::setRTSEnable(bool on) {
    rts = on;
    applyLines();
}

void TSerialPort::applyLines() {
    if (!serial->isOpen())
        return;
    // Lines a device does not have (a pseudo-terminal has none) are no reason to fail:
    // the modem talks without them.
    serial->setDataTerminalReady(dtr);
    serial->setRequestToSend(rts);
    serial->clearError();
}

void TSerialPort::setOutput(const QString& text) {
    if (!serial->isOpen())
        throw SystemError(QStringLiteral("串口 %1 未打开").arg(port));
    const QByteArray bytes = text.toLatin1();
    if (serial->write(bytes) != bytes.size() || !serial->flush()) {
        // flush() is false also when everything left at once; only a real error counts.
        if (serial->error() != QSerialPort::NoError) {
            const QString reason = serial->errorString();
            serial->clearError();
            throw SystemError(QStringLiteral("串口 %1 写入失败：%2").arg(port).arg(reason));
        }
    }
}

QString TSerialPort::input() {
    if (!serial->isOpen())
        return QString();
    return QString::fromLatin1(serial->readAll());
}
