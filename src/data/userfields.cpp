#include "data/userfields.h"

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

}  // namespace kv
