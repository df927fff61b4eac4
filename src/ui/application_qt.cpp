#include "ui/application_qt.h"

#include <cstdio>
#include <cstdlib>

#include "app/handlererror.h"
#include "data/language.h"
#include "platform/error.h"
#include "platform/host.h"
#include "platform/paths.h"
#include "platform/reset.h"

namespace kv {

namespace {
std::function<void(int)>& ProgramEnd() {
    static std::function<void(int)> end;
    return end;
}
const ResetRegistrar kReset("program end", StateLayer::Ui, [] { ProgramEnd() = nullptr; });

// The program cannot go on without the file it reads its settings or its
// texts from: every window's activation would meet the same error again.
bool EndsTheProgram(const std::exception& e) {
    const auto* missing = dynamic_cast<const FileNotFound*>(&e);
    if (!missing) return false;
    const std::string& p = missing->path();
    return (!gSettingsFile.empty() && ResolvePath(p) == ResolvePath(gSettingsFile)) ||
           (!gLanguageFile.empty() && ResolvePath(p) == ResolvePath(gLanguageFile));
}

void Report(const ErrorReport& r, bool ends) {
    SecureModifiedProject();
    SetBusy(false);
    MsgBox(r.text, r.style);
    if (ends) EndProgram(1);
}
}  // namespace

KivarApplication::KivarApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool KivarApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        HandleError(e);
    } catch (...) {
        Report(DescribeUnknownError(), false);
    }
    return true;  // the event was dealt with
}

void HandleError(const std::exception& e, bool atStart) { Report(DescribeError(e), atStart || EndsTheProgram(e)); }

void EndProgram(int code) {
    std::fflush(stdout);
    if (ProgramEnd()) ProgramEnd()(code);
    std::exit(code);
}

void SetProgramEnd(std::function<void(int)> end) { ProgramEnd() = std::move(end); }

}  // namespace kv
