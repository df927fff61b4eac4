#include "platform/host.h"

#include <cstdio>

#include "platform/cp1252.h"

namespace kv {

const std::string kMsgTitle = "Kivar32\xAE";

namespace {
class ConsoleHost : public UiHost {
public:
    int MessageBox(const std::string& text, int style, const std::string& title) override {
        std::fprintf(stderr, "[%s] %s\n", Utf8From1252(title).c_str(), Utf8From1252(text).c_str());
        switch (style & 7) {
            case vbOKCancel: return vbOK;
            case vbAbortRetryIgnore: return vbAbort;
            case vbYesNoCancel:
            case vbYesNo: return vbYes;
            case vbRetryCancel: return vbRetry;
            default: return vbOK;
        }
    }
};
ConsoleHost gConsoleHost;
UiHost* gHost = &gConsoleHost;
}  // namespace

UiHost& Ui() { return *gHost; }
void SetUiHost(UiHost* host) { gHost = host ? host : &gConsoleHost; }
int MsgBox(const std::string& text, int style, const std::string& title) { return gHost->MessageBox(text, style, title); }
void Beep() { gHost->Beep(); }
void DoEvents() { gHost->DoEvents(); }
void SetBusy(bool busy) { gHost->SetBusy(busy); }

}  // namespace kv
