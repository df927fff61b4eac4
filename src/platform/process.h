// Starting another program without waiting for it (the transfer program).
// The Qt layer installs the real starter; tests install fakes; without one a
// start fails.
#pragma once

#include <string>
#include <vector>

namespace kv {

class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    // Starts `program` with `args` (each passed as one argument) in a normal,
    // focused window and returns at once. False when it could not be started.
    virtual bool StartProgram(const std::string& program, const std::vector<std::string>& args) { return false; }
};

ProgramStarter& ProgramPort();
void SetProgramStarter(ProgramStarter* starter);  // nullptr restores the default

}  // namespace kv
