#pragma once
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QSerialPort;

// The serial-port control the caller-ID modem is driven through: the properties and
// the one event the system uses. Port number N is /dev/ttyS<N-1>.
class TSerialPort : public QObject {
    Q_OBJECT
public:
    explicit TSerialPort(QObject* parent = nullptr);
    ~TSerialPort() override;

    void setInBufferCount(int count);  // 0 discards pending input
    void setRThreshold(int threshold);  // 0: no events; >= 1: an event per received batch
    void setCommPort(int port);
    int commPort() const { return port; }
    void setPortOpen(bool open);  // throws SystemError when the port cannot be opened
    bool portOpen() const;
    void setDTREnable(bool on);
    void setRTSEnable(bool on);
    void setOutput(const QString& text);  // writes the text to the line
    QString input();  // everything received since the last read

    // The device path of a port number; tests replace it to use a pseudo-terminal.
    static QString devicePath(int port);
    static void setDevicePathResolver(std::function<QString(int)> resolver);

signals:
    void OnComm();

private:
    void applyLines();  // DTR and RTS onto an open port

    std::unique_ptr<QSerialPort> serial;
    int port = 0;
    int threshold = 0;
    bool dtr = false;
    bool rts = false;
};
