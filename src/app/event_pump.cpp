#include "app/event_pump.h"

#include <QCoreApplication>

namespace quenlo::app {

void EventPump::process_events() {
    if (since_last_.isValid() && since_last_.elapsed() < interval_) return;
    QCoreApplication::processEvents();
    since_last_.start();
}

}  // namespace quenlo::app
