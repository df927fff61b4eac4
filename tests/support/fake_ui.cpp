#include "support/fake_ui.h"

int FakeUi::MessageBox(const std::string& text, int style, const std::string& title) {
    messages.push_back({text, style, title});
    if (!answers.empty()) {
        int a = answers.front();
        answers.pop_front();
        return a;
    }
    switch (style & 7) {
        case kv::vbYesNo:
        case kv::vbYesNoCancel: return kv::vbYes;
        default: return kv::vbOK;
    }
}
