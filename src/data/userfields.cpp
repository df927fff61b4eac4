#include "data/userfields.h"

#include "platform/reset.h"

namespace kv {

std::string gUserCompany;
std::string gUserDate;
std::string gUserResponsible;
std::string gUserOthers;

void ResetUserFields() {
    gUserCompany.clear();
    gUserDate.clear();
    gUserResponsible.clear();
    gUserOthers.clear();
}

namespace {
const ResetRegistrar kReset("user fields", StateLayer::Data, ResetUserFields);
}  // namespace

}  // namespace kv
