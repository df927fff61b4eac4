#include "files/outbuild.h"

#include "engine/defaultdest.h"
#include "files/outfile.h"
#include "files/outfile_old.h"
#include "files/outoptions.h"

namespace kv {

namespace {

// The all-nines destination lives only as long as the build.
class NinesDestination {
public:
    NinesDestination() : n_(AddNinesDestination()) {}
    ~NinesDestination() { RemoveNinesDestination(n_); }
    NinesDestination(const NinesDestination&) = delete;
    NinesDestination& operator=(const NinesDestination&) = delete;

private:
    int16_t n_;
};

}  // namespace

bool BuildOutImage(std::string& image) {
    if (gCommandRowOn == 1) {
        InitDefaultDestination();
        return BuildPromImageVer1_5(image);
    }
    NinesDestination nines;
    return BuildPromImageOld(image);
}

bool BuildOutFile(const std::string& path) {
    std::string image;
    return BuildOutImage(image) && WriteOutFileImage(path, image);
}

}  // namespace kv
