#include "app/serialsend.h"

#include <string>
#include <vector>

#include "data/records.h"
#include "data/settings.h"
#include "files/telegram.h"
#include "platform/reset.h"
#include "platform/host.h"
#include "platform/serial.h"
#include "platform/vb.h"

namespace kv {

int16_t gPortOpenFailShown = kFalse;

void SendDestToSign(int16_t n) {
    if (n < 0 || n >= kDestCount) return;
    if (DestAt(n).SignData.empty()) {
        MsgBox("Nothing to send, text must be saved before it can be sent!");
        return;
    }
    std::vector<std::string> telegrams;
    try {
        telegrams = DestTelegrams(n);
    } catch (const VbError& e) {
        MsgBox("Error # " + std::to_string(e.number) + "\r" + e.what());
        return;
    }

    SerialLine& port = SerialPort();
    if (!port.Open(gPortIndex, gPortName)) {
        if (!gPortOpenFailShown) {
            gPortOpenFailShown = kTrue;
            // The device tried and the system's reason follow the classic text.
            const std::string why = port.OpenFailure();
            MsgBox(why.empty() ? std::string("Error in .PortOpen!") : "Error in .PortOpen!\r" + why);
        }
        return;
    }
    for (const std::string& t : telegrams) port.Write(t);
    port.Close();
}

void ResetSerialSend() { gPortOpenFailShown = kFalse; }

namespace {
const ResetRegistrar kReset("serial sending", StateLayer::App, ResetSerialSend);
}  // namespace

}  // namespace kv
