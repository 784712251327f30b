#include "race/SerialLink.h"

#include <QSerialPortInfo>
#include <stdexcept>

SerialLink::SerialLink(qint32 baudRate, QObject* parent)
    : QObject(parent), m_port(this), m_baudRate(baudRate) {
    connect(&m_port, &QSerialPort::readyRead, this, &SerialLink::readAvailable);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialLink::portError);
}

SerialLink::~SerialLink() {
    // Closing explicitly restores the line settings the port found at open.
    close();
}

void SerialLink::open(const QString& portName) {
    close();
    m_port.setPortName(portName);
    m_port.setBaudRate(m_baudRate);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port.open(QIODevice::ReadWrite)) {
        const QString text = m_port.errorString();
        m_port.clearError();
        throw std::runtime_error((portName + QStringLiteral(": ") + text).toStdString());
    }
    m_port.clearError();
}

void SerialLink::close() {
    if (m_port.isOpen())
        m_port.close();
    m_port.clearError();
}

bool SerialLink::isOpen() const {
    return m_port.isOpen();
}

void SerialLink::write(const QString& command) {
    if (!m_port.isOpen())
        return;
    // The controller and its scoreboards speak single-byte text; a character
    // outside Latin-1 goes out as "?".
    m_port.write(command.toLatin1());
    // Out now rather than at the next turn of the event loop: the station
    // spaces some commands with blocking waits, and the gaps must reach the
    // line.
    m_port.flush();
}

void SerialLink::readAvailable() {
    const QByteArray bytes = m_port.readAll();
    if (!bytes.isEmpty())
        emit received(bytes);
}

/// After the port is open, only a vanished device matters: a pseudo-terminal
/// refuses modem lines and some ioctls, and a refused setting must not take
/// the race line down. A device that is gone (unplugged, or the far end of a
/// pseudo-terminal closed) reports read errors at every turn of the event
/// loop, so the port is closed then instead of spinning.
void SerialLink::portError(QSerialPort::SerialPortError error) {
    if (error == QSerialPort::NoError || !m_port.isOpen())
        return;
    if (error == QSerialPort::ResourceError || error == QSerialPort::ReadError) {
        const QString text = m_port.errorString();
        m_port.close();
        m_port.clearError();
        emit lost(text);
        return;
    }
    m_port.clearError();
}

QStringList SerialLink::availablePorts(const QStringList& extra) {
    QStringList ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        if (!ports.contains(info.systemLocation()))
            ports << info.systemLocation();
    for (const QString& port : extra)
        if (!port.isEmpty() && !ports.contains(port))
            ports << port;
    return ports;
}
