#include "ui/devices_qt.h"

#include <QProcess>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <QStringList>
#include <algorithm>

#include "platform/error.h"
#include "ui/qtbridge_qt.h"

using kv::Q;

QtProgramStarter::QtProgramStarter(QObject* parent) : QObject(parent) { kv::SetProgramStarter(this); }

QtProgramStarter::~QtProgramStarter() {
    if (&kv::ProgramPort() == this) kv::SetProgramStarter(nullptr);
}

bool QtProgramStarter::StartProgram(const std::string& program, const std::vector<std::string>& args) {
    QStringList list;
    for (const std::string& a : args) list << Q(a);
    return QProcess::startDetached(Q(program), list);
}

QtSerialLine::QtSerialLine(QSerialPort* port, QObject* parent) : QObject(parent), port_(port) {
    kv::SetSerialLine(this);
}

QtSerialLine::~QtSerialLine() {
    if (&kv::SerialPort() == this) kv::SetSerialLine(nullptr);
}

QString QtSerialLine::PortOfIndex(int index) {
    QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    std::sort(ports.begin(), ports.end(),
              [](const QSerialPortInfo& a, const QSerialPortInfo& b) { return a.portName() < b.portName(); });
    return index >= 0 && index < ports.size() ? ports[index].systemLocation() : QString();
}

bool QtSerialLine::Open(int16_t portIndex, const std::string& portName) {
    failure_.clear();
    if (port_->isOpen()) port_->close();
    const QString name = portName.empty() ? PortOfIndex(portIndex) : Q(portName);
    if (name.isEmpty()) {
        const qsizetype ports = QSerialPortInfo::availablePorts().size();
        const std::string count = ports == 0   ? std::string("no serial port")
                                  : ports == 1 ? std::string("only 1 serial port")
                                               : "only " + std::to_string(ports) + " serial ports";
        failure_ = kv::FileMessage("COM" + std::to_string(portIndex + 1), "The system has " + count + ".");
        return false;
    }
    port_->setPortName(name);
    if (!port_->open(QIODevice::ReadWrite)) {
        failure_ = kv::FileMessage(kv::B(name), kv::B(port_->errorString()));
        return false;
    }
    port_->setBaudRate(4800);
    port_->setDataBits(QSerialPort::Data8);
    port_->setParity(QSerialPort::NoParity);
    port_->setStopBits(QSerialPort::OneStop);
    port_->setFlowControl(QSerialPort::NoFlowControl);
    return true;
}

void QtSerialLine::Write(const std::string& bytes) {
    if (port_->isOpen()) port_->write(bytes.data(), static_cast<qint64>(bytes.size()));
}

void QtSerialLine::Close() {
    if (!port_->isOpen()) return;
    // What is still buffered goes out first; a line that takes no more
    // bytes for a second is given up.
    while (port_->bytesToWrite() > 0 && port_->waitForBytesWritten(1000)) {
    }
    port_->close();
}
