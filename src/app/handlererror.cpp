#include "app/handlererror.h"

#include <new>

#include "app/doccommands.h"
#include "files/document.h"
#include "platform/error.h"
#include "platform/host.h"
#include "platform/vb.h"

namespace kv {

ErrorReport DescribeError(const std::exception& e) {
    if (const auto* own = dynamic_cast<const Error*>(&e)) return {own->what(), own->style()};
    if (dynamic_cast<const std::bad_alloc*>(&e)) return {"Error # 7: \rOut of memory", vbCritical};
    return {e.what(), vbExclamation};
}

ErrorReport DescribeUnknownError() { return {"Error", vbExclamation}; }

bool SecureModifiedProject() {
    if (!gDocumentModified) return true;
    try {
        return WriteAutoSaveFile();
    } catch (...) {
        return false;
    }
}

}  // namespace kv
