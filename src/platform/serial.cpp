#include "platform/serial.h"

namespace kv {

namespace {
SerialLine gNoLine;
SerialLine* gLine = &gNoLine;
}  // namespace

SerialLine& SerialPort() { return *gLine; }
void SetSerialLine(SerialLine* line) { gLine = line ? line : &gNoLine; }

}  // namespace kv
