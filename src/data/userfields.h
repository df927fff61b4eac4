// The four free texts a project carries about its owner: printed in the
// headers of the listings, edited in the user dialog, stored in the project
// file.
#pragma once

#include <string>

namespace kv {

extern std::string gUserCompany;
extern std::string gUserDate;
extern std::string gUserResponsible;
extern std::string gUserOthers;

void ResetUserFields();

}  // namespace kv
