#include "platform/process.h"

namespace kv {

namespace {
ProgramStarter gNoStarter;
ProgramStarter* gStarter = &gNoStarter;
}  // namespace

ProgramStarter& ProgramPort() { return *gStarter; }
void SetProgramStarter(ProgramStarter* starter) { gStarter = starter ? starter : &gNoStarter; }

}  // namespace kv
