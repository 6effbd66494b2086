#pragma once
// Lets the window process its pending events while a command runs on the
// user-interface thread. A build calls it at every log line and poll, often
// once per character, so it runs the event loop only when `interval` has
// passed since it last did; in between a call costs one clock reading.

#include <QElapsedTimer>
#include <chrono>

#include "foundation/build_log.h"

namespace quenlo::app {

class EventPump : public PollHook {
public:
    explicit EventPump(std::chrono::milliseconds interval) : interval_(interval.count()) {}
    void process_events() override;

private:
    qint64 interval_;
    QElapsedTimer since_last_;
};

}  // namespace quenlo::app
