#include "ui/startup_qt.h"

#include <exception>
#include <memory>

#include "data/startup.h"
#include "ui/application_qt.h"
#include "ui/frmHead.h"

namespace kv {

frmHead* LoadProgram(const std::function<void()>& chooseLanguage) {
    std::unique_ptr<frmHead> head;
    try {
        ReadStartSettings(chooseLanguage);
        head = std::make_unique<frmHead>();
        head->Form_Load();
    } catch (const std::exception& e) {
        HandleError(e, true);
        return nullptr;
    }
    return head.release();
}

}  // namespace kv
