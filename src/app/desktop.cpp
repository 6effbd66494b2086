#include "app/desktop.h"

#include <QDesktopServices>

namespace quenlo::app {

void SystemUrlOpener::open_url(const QUrl& url) {
    QDesktopServices::openUrl(url);
}

}  // namespace quenlo::app
