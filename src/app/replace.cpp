#include "app/replace.h"

#include "data/language.h"
#include "platform/host.h"
#include "platform/reset.h"

namespace kv {

int32_t gReplaceAnswer = -1;

bool DecideReplace(bool exists, int32_t number, int32_t page) {
    if (!exists || gReplaceAnswer == kReplaceYesToAll) return true;
    if (gReplaceAnswer == kReplaceNoToAll) return false;
    std::string question = LangText("S3001", "Destination XXX, text YYY already exists, replace ?");
    question = ReplaceStringNext(question, "XXX", std::to_string(number));
    question = ReplaceStringNext(question, "YYY", std::to_string(page));
    gReplaceAnswer = Ui().ReplaceQuestion(question);
    return gReplaceAnswer == kReplaceYes || gReplaceAnswer == kReplaceYesToAll;
}

namespace {
const ResetRegistrar kReset("replace answer", StateLayer::App, [] { gReplaceAnswer = -1; });
}  // namespace

}  // namespace kv
