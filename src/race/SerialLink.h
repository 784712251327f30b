#pragma once

#include "race/RaceOutputs.h"

#include <QByteArray>
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QStringList>

/// A serial line of the station on QSerialPort: 8 data bits, no parity, one
/// stop bit, no flow control, DTR and RTS left alone. The controller runs at
/// 14400 baud; the weather station passes its own rate.
class SerialLink : public QObject, public ControllerPort {
    Q_OBJECT
public:
    explicit SerialLink(qint32 baudRate = 14400, QObject* parent = nullptr);
    ~SerialLink() override;

    /// Opens `portName` (a system name such as "ttyUSB0" or a path, also a
    /// pseudo-terminal or a link to one), closing the port first if it is
    /// open. Throws std::runtime_error with the port's error text.
    void open(const QString& portName);
    void close();
    bool isOpen() const;
    QString portName() const { return m_port.portName(); }

    /// Writes the text's bytes as they stand, no terminator added; does
    /// nothing while the port is closed.
    void write(const QString& command) override;

    /// The system's serial ports, then the `extra` paths not already listed,
    /// each name once.
    static QStringList availablePorts(const QStringList& extra);

signals:
    /// Everything that was waiting at one read notification.
    void received(const QByteArray& bytes);
    /// The device went away (unplugged, or the other end of a
    /// pseudo-terminal closed); the port is closed by then.
    void lost(const QString& errorText);

private:
    void readAvailable();
    void portError(QSerialPort::SerialPortError error);

    QSerialPort m_port;
    qint32 m_baudRate;
};
