#include "app/application.h"

#include <QApplication>
#include <QIcon>
#include <QStyle>
#include <QStyleFactory>

#include "app/about_box.h"

namespace quenlo::app {

void set_up_application() {
    QApplication::setApplicationName(QStringLiteral("Quenlo"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(QApplication::style()->standardPalette());
    QApplication::setWindowIcon(QIcon(quenlo_picture(64)));
}

}  // namespace quenlo::app
