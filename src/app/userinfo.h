// The user and company information of the project as the user dialog edits
// it: OK stores the four texts and marks the project modified when one of
// them changed.
#pragma once

#include <string>

namespace kv {

struct UserInfoTexts {
    std::string company, date, responsible, others;
};
UserInfoTexts CurrentUserInfo();
// OK of the dialog.
void StoreUserInfo(const UserInfoTexts& texts);
// The User command: the project's date becomes today's ("yyyy-mm-dd")
// before the dialog opens, and stays even when it is cancelled.
void SetUserDateToday();

}  // namespace kv
