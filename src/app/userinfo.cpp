#include "app/userinfo.h"

#include "data/printprefs.h"
#include "data/userfields.h"
#include "files/document.h"
#include "platform/vb.h"

namespace kv {

UserInfoTexts CurrentUserInfo() { return {gUserCompany, gUserDate, gUserResponsible, gUserOthers}; }

void StoreUserInfo(const UserInfoTexts& t) {
    if (!gDocumentModified) {
        if (t.company != gUserCompany || t.date != gUserDate || t.responsible != gUserResponsible ||
            t.others != gUserOthers)
            gDocumentModified = kTrue;
    }
    gUserCompany = t.company;
    gUserDate = t.date;
    gUserResponsible = t.responsible;
    gUserOthers = t.others;
}

void SetUserDateToday() { gUserDate = PrintDateText(); }

}  // namespace kv
