// Sending one destination to the signs over the serial line: each
// sub-record of its committed sign data goes out as one framed telegram
// (files/telegram.h). The port is opened for every send and closed again;
// the sign does not answer.
#pragma once

#include <cstdint>

namespace kv {

// Set once the failure to open the port has been reported; later failures
// in the same run are silent.
extern int16_t gPortOpenFailShown;

// Sends destination n. An uncommitted destination (empty SignData) is
// refused with a message and the port is not touched.
void SendDestToSign(int16_t n);

void ResetSerialSend();

}  // namespace kv
