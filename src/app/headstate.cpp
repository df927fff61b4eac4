#include "app/headstate.h"

#include <chrono>
#include <ctime>

#include "data/language.h"
#include "platform/paths.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

double gLastAutoSaveTime = 0;
int16_t gCurrentPictureIndex = 0;
int16_t gBlinkState = 0;
int16_t gGeneratingRouteNumbers = kFalse;
int16_t gActivePicture = 0;
int16_t gMarkMode = 0;
int16_t gRestoredFromAutoSave = kFalse;
int16_t gAutoSaveNoticePending = kFalse;
std::string gSelectionText;

std::string ProjectFromCommandLine(const std::vector<std::string>& args) {
    for (const std::string& a : args)
        if (InStr(UCase(a), "TXL") != 0) return Trim(RemoveString(a, "\""));
    return {};
}

std::string AutoSaveFileOf(const std::string& programFolder) { return JoinPath(programFolder, "kivar.txl"); }

float SecondsSinceMidnight() {
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t t = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&t, &local);
    double frac = duration<double>(now.time_since_epoch()).count();
    frac -= static_cast<double>(static_cast<long long>(frac));
    return static_cast<float>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec + frac);
}

void ResetHeadState() {
    gDocumentPath.clear();
    gAutoSaveFile.clear();
    gLastAutoSaveTime = 0;
    gCurrentPictureIndex = 0;
    gBlinkState = 0;
    gGeneratingRouteNumbers = kFalse;
    gActivePicture = 0;
    gMarkMode = 0;
    gRestoredFromAutoSave = kFalse;
    gAutoSaveNoticePending = kFalse;
    gSelectionText.clear();
}

namespace {
const ResetRegistrar kReset("main-window state", StateLayer::App, ResetHeadState);
}  // namespace

}  // namespace kv
