// The replace question of the tools that fill many entries at once: an
// entry that already holds something is replaced only after the question
// frmReplace, whose "yes to all" and "no to all" hold for the rest of a run.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

// The last answer: 6 yes, 700214 yes to all, 7 no, 670517 no to all; -1
// none (set at the start of every run).
constexpr int32_t kReplaceYes = 6;
constexpr int32_t kReplaceNo = 7;
constexpr int32_t kReplaceYesToAll = 700214;
constexpr int32_t kReplaceNoToAll = 670517;
extern int32_t gReplaceAnswer;

// Whether an entry is written: an empty one always; an existing one by the
// answer to all given before, else by the question (S3001 with "XXX" the
// number and "YYY" the page), whose answer is kept in gReplaceAnswer.
bool DecideReplace(bool exists, int32_t number, int32_t page);

}  // namespace kv
