#include <cstdio>
#include <iostream>
#include <map>

#include "platform/error.h"
#include "platform/host.h"
#include "platform/vb.h"
#include "probe.h"

namespace probe {

namespace {
struct Entry {
    const char* usage;
    Handler handler;
};
std::map<std::string, Entry>& Table() {
    static std::map<std::string, Entry> t;
    return t;
}
}  // namespace

Registrar::Registrar(const char* name, const char* usage, Handler handler) { Table()[name] = {usage, handler}; }

int Usage(const char* usage) {
    std::fprintf(stderr, "usage: kivar-probe %s\n", usage);
    return 2;
}

bool TakeOption(Args& args, const std::string& name, std::string& value) {
    for (size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == name) {
            value = args[i + 1];
            args.erase(args.begin() + static_cast<long>(i), args.begin() + static_cast<long>(i) + 2);
            return true;
        }
    }
    return false;
}

bool TakeFlag(Args& args, const std::string& name) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == name) {
            args.erase(args.begin() + static_cast<long>(i));
            return true;
        }
    }
    return false;
}

void WriteRaw(const std::string& bytes) { std::fwrite(bytes.data(), 1, bytes.size(), stdout); }

std::string HexBytes(const std::string& bytes) {
    static const char* d = "0123456789abcdef";
    std::string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(bytes[i]);
        if (i) out += ' ';
        out += d[b >> 4];
        out += d[b & 15];
    }
    return out;
}

}  // namespace probe

namespace {
// Messages go to stderr.
class ProbeHost : public kv::UiHost {
public:
    int MessageBox(const std::string& text, int style, const std::string& title) override {
        std::fprintf(stderr, "message(%d): %s\n", style, text.c_str());
        switch (style & 7) {
            case kv::vbYesNo:
            case kv::vbYesNoCancel: return kv::vbYes;
            default: return kv::vbOK;
        }
    }
};
}  // namespace

int main(int argc, char** argv) {
    static ProbeHost host;
    kv::SetUiHost(&host);
    if (argc < 2 || std::string(argv[1]) == "--help") {
        std::fprintf(stderr, "usage: kivar-probe COMMAND ARGS...\ncommands:\n");
        for (auto& [name, e] : probe::Table()) std::fprintf(stderr, "  %s\n", e.usage);
        return argc < 2 ? 2 : 0;
    }
    auto it = probe::Table().find(argv[1]);
    if (it == probe::Table().end()) {
        std::fprintf(stderr, "kivar-probe: unknown command %s\n", argv[1]);
        return 2;
    }
    probe::Args args(argv + 2, argv + argc);
    try {
        return it->second.handler(args);
    } catch (const kv::Error& e) {
        // As the program shows it.
        std::fprintf(stderr, "message(%d): %s\n", e.style(), e.what());
        return 1;
    } catch (const kv::VbError& e) {
        std::fprintf(stderr, "Error # %d\n", e.number);
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "kivar-probe: %s\n", e.what());
        return 1;
    }
}
