#include "ui/webpage_qt.h"

#include <QDesktopServices>
#include <QUrl>

#include "ui/qtbridge_qt.h"

namespace kv {

bool OpenWebPage(const std::string& address) {
    QUrl url = QUrl::fromUserInput(Q(address));
    if (!url.isValid()) return false;
    return QDesktopServices::openUrl(url);
}

}  // namespace kv
