// kivar-probe: a command-line test driver over the core library. Each area
// registers its commands in its own file with PROBE_COMMAND.
#pragma once

#include <string>
#include <vector>

namespace probe {

using Args = std::vector<std::string>;
using Handler = int (*)(const Args& args);

struct Registrar {
    Registrar(const char* name, const char* usage, Handler handler);
};

// Prints to stderr and returns 2: for wrong arguments.
int Usage(const char* usage);
// Helpers for options of the form "--name VALUE" and "--flag".
bool TakeOption(Args& args, const std::string& name, std::string& value);
bool TakeFlag(Args& args, const std::string& name);
// Writes bytes to stdout as they are.
void WriteRaw(const std::string& bytes);
// Bytes as lowercase hex pairs separated by blanks.
std::string HexBytes(const std::string& bytes);

}  // namespace probe

#define PROBE_CONCAT2(a, b) a##b
#define PROBE_CONCAT(a, b) PROBE_CONCAT2(a, b)
// PROBE_COMMAND("name", "usage") { ... uses `args` ... return 0; }
#define PROBE_COMMAND(name, usage)                                                       \
    static int PROBE_CONCAT(probe_cmd_, __LINE__)(const probe::Args& args);             \
    static probe::Registrar PROBE_CONCAT(probe_reg_, __LINE__)(name, usage,              \
                                                               PROBE_CONCAT(probe_cmd_, __LINE__)); \
    static int PROBE_CONCAT(probe_cmd_, __LINE__)(const probe::Args& args)
