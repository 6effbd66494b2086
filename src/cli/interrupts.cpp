#include "cli/interrupts.h"

#include <pthread.h>
#include <signal.h>

#include <thread>

namespace quenlo::cli {

void watch_interrupts(std::atomic<bool>& stop, std::atomic<bool>* quit) {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::thread([signals, &stop, quit] {
        int received = 0;
        while (sigwait(&signals, &received) == 0) {
            if (quit != nullptr) *quit = true;
            stop = true;
        }
    }).detach();
}

}  // namespace quenlo::cli
