#include "data/outsettings.h"

#include "platform/reset.h"

namespace kv {

const char* const kDefaultRouteNumberSeq = " 0123456789ABCDEF";
const char* const kDefaultCommandFile = "(EnglskTD.kcm)";

int16_t gCommandRowOn = 1;
int16_t gFontSectionOn = 1;
int16_t gComrowMems = 1;
int16_t gControlInfoOn = 0;
std::string gRouteNumberSeq = kDefaultRouteNumberSeq;
int16_t gRouteNumberStartIndex = 2;
int16_t gLineNumberOn = 0;
std::string gCommandFile = kDefaultCommandFile;
std::string gSignToShow;
std::string gPromName;
std::string gAsciiName;
int16_t gOptionsDestCount = 0;
int16_t gOutCfgLoaded = 0;

void InitOutFileDefaults() {
    gCommandRowOn = 1;
    gFontSectionOn = 1;
    gComrowMems = 1;
    gControlInfoOn = 0;
    gRouteNumberSeq = kDefaultRouteNumberSeq;
    gRouteNumberStartIndex = 2;
    gCommandFile = kDefaultCommandFile;
}

void ResetOutOptions() {
    InitOutFileDefaults();
    gLineNumberOn = 0;
    gSignToShow.clear();
    gPromName.clear();
    gAsciiName.clear();
    gOptionsDestCount = 0;
    gOutCfgLoaded = 0;
}

namespace {
const ResetRegistrar kReset("out-file options", StateLayer::Data, ResetOutOptions);
}  // namespace

}  // namespace kv
