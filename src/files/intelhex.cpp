#include "files/intelhex.h"

#include <algorithm>
#include <cstdio>

#include "platform/error.h"
#include "platform/paths.h"
#include "platform/safefile.h"
#include "platform/host.h"

namespace kv {

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

void AddHexByte(std::string& s, unsigned b) {
    s += kHexDigits[(b >> 4) & 15];
    s += kHexDigits[b & 15];
}

// One record: ":" length, address, type, data, checksum, CR LF.
void AddRecord(std::string& out, unsigned type, uint32_t address, const unsigned char* data, size_t n) {
    unsigned sum = static_cast<unsigned>(n) + ((address >> 8) & 0xFF) + (address & 0xFF) + type;
    out += ':';
    AddHexByte(out, static_cast<unsigned>(n));
    AddHexByte(out, (address >> 8) & 0xFF);
    AddHexByte(out, address & 0xFF);
    AddHexByte(out, type);
    for (size_t i = 0; i < n; ++i) {
        AddHexByte(out, data[i]);
        sum += data[i];
    }
    AddHexByte(out, (256 - sum % 256) % 256);
    out += "\r\n";
}

}  // namespace

bool ConvertOutToHex(const std::string& in, std::string& out) {
    if (static_cast<int64_t>(in.size()) >= kHexInputLimit) return false;
    std::string r;
    r.reserve(in.size() * 2 + in.size() / 32 * 13 + 16);
    const auto* bytes = reinterpret_cast<const unsigned char*>(in.data());
    uint32_t address = 0;
    while (address < in.size()) {
        const size_t n = std::min<size_t>(32, in.size() - address);
        AddRecord(r, 0x00, address, bytes + address, n);
        address += static_cast<uint32_t>(n);
        if (n == 32 && address % 65536 == 0) {
            const uint32_t segment = address / 16;
            const unsigned char seg[2] = {static_cast<unsigned char>(segment >> 8),
                                          static_cast<unsigned char>(segment & 0xFF)};
            AddRecord(r, 0x02, 0, seg, 2);
        }
    }
    r += ":00000001FF\r\n";
    out.swap(r);
    return true;
}

bool ConvertFileToHex(const std::string& inPath, const std::string& outPath, bool announce) {
    SetBusy(true);
    std::string data;
    std::string message;
    if (!FileExists(inPath) || !ReadWholeFile(inPath, data)) {
        message = inPath + " not found!";
    } else {
        std::string hex;
        std::string error;
        if (!ConvertOutToHex(data, hex)) message = FileMessage(inPath, "The file is too large for Intel HEX (1 MB or more).");
        else if (!SafeWriteFile(outPath, hex, &error)) message = FileMessage(outPath, error);
    }
    SetBusy(false);
    if (!message.empty()) {
        MsgBox(message, vbCritical + vbOKOnly);
        return false;
    }
    if (announce) MsgBox("Conversion ready!", vbOKOnly);
    return true;
}

bool FileConvNames(const std::string& fileName, std::string& outFile, std::string& hexFile) {
    // The extension is looked for in the last component only, so a dot in a
    // folder name is left alone.
    const size_t slash = fileName.find_last_of("\\/");
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = fileName.rfind('.');
    if (dot == std::string::npos || dot < nameStart) return false;
    const std::string base = fileName.substr(0, dot);
    outFile = base + ".out";
    hexFile = base + ".hex";
    return true;
}

bool FileConvStart(const std::string& fileName) {
    if (fileName.empty()) return true;
    std::string outFile, hexFile;
    if (!FileConvNames(fileName, outFile, hexFile)) {
        MsgBox(fileName + ":\rThe name has no extension; name an out-file (*.out).", vbCritical + vbOKOnly);
        return false;
    }
    return ConvertFileToHex(outFile, hexFile, true);
}

}  // namespace kv
