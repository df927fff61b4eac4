// The serial line to the signs: 4800 baud, 8 data bits, no parity, one stop
// bit. The Qt layer installs the real port; tests install fakes; without one
// no port opens.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

class SerialLine {
public:
    virtual ~SerialLine() = default;
    // Opens a port: the device `portName` when it is not empty, else port
    // `portIndex` (0..3, COM1..COM4: the first four serial ports of the
    // system, sorted by name). False when no port could be opened.
    virtual bool Open(int16_t portIndex, const std::string& portName) { return false; }
    // After an Open that failed: the device it tried and the system's reason,
    // as "<device>:\r<reason>"; "" when there is nothing to say.
    virtual std::string OpenFailure() const { return {}; }
    // Hands the bytes to the open port in one output call.
    virtual void Write(const std::string& bytes) {}
    // Closes the port once what was written has gone out.
    virtual void Close() {}
};

SerialLine& SerialPort();
void SetSerialLine(SerialLine* line);  // nullptr restores the default

}  // namespace kv
