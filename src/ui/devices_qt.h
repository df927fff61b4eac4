// The Qt side of the device ports: starting the transfer program and the
// serial line to the signs. The main window creates one of each as its
// children; each is the port in use for as long as it lives.
#pragma once

#include <QObject>

#include "platform/process.h"
#include "platform/serial.h"

class QSerialPort;

// Starts a program detached from this one (QProcess::startDetached).
class QtProgramStarter : public QObject, public kv::ProgramStarter {
public:
    explicit QtProgramStarter(QObject* parent);
    ~QtProgramStarter() override;
    bool StartProgram(const std::string& program, const std::vector<std::string>& args) override;
};

// The serial line through a QSerialPort (the main window's ComCtrl).
class QtSerialLine : public QObject, public kv::SerialLine {
public:
    QtSerialLine(QSerialPort* port, QObject* parent);
    ~QtSerialLine() override;
    bool Open(int16_t portIndex, const std::string& portName) override;
    std::string OpenFailure() const override { return failure_; }
    void Write(const std::string& bytes) override;
    void Close() override;

    // The device of COM(index + 1): the index-th of the system's serial
    // ports sorted by name; empty when there are not that many.
    static QString PortOfIndex(int index);

private:
    QSerialPort* port_;
    std::string failure_;
};
