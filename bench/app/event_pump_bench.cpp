// The window's side of a build's polls: what a poll costs between two runs of
// the event loop, and how long after the stop button is pressed a build that
// polls as often as the string conversion does comes to an end.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <atomic>
#include <chrono>

#include "app/event_pump.h"
#include "foundation/build.h"
#include "foundation/error.h"

namespace {

using namespace std::chrono_literals;

class NoLog : public quenlo::LogSink {
public:
    void append_line(quenlo::LogColour, std::string_view) override {}
    void clear() override {}
};

// A poll as the builds make it, almost always between two event-loop runs.
void BM_PollBetweenEventRuns(benchmark::State& state) {
    quenlo::app::EventPump pump(20ms);
    for (auto _ : state) pump.process_events();
}
BENCHMARK(BM_PollBetweenEventRuns);

// A build loop polling once per character of work; the stop "press" is due
// 30 ms in. The reported time runs from when it was due to the build's end.
void BM_StopLatency(benchmark::State& state) {
    for (auto _ : state) {
        NoLog sink;
        quenlo::app::EventPump pump(20ms);
        quenlo::BuildLog log(sink, pump);
        std::atomic<bool> stop{false};
        quenlo::Build build("/nowhere", quenlo::Switches{}, false, log, stop);
        QElapsedTimer since_start;
        since_start.start();
        QTimer::singleShot(30, [&stop] { stop = true; });
        std::uint64_t work = 0;
        try {
            for (;;) {
                for (int i = 0; i < 64; ++i) benchmark::DoNotOptimize(work += i);  // one character
                build.poll_stop();
            }
        } catch (const quenlo::Error&) {
        }
        const double late = static_cast<double>(since_start.nsecsElapsed()) / 1e9 - 0.030;
        state.SetIterationTime(late > 0 ? late : 0);
    }
}
BENCHMARK(BM_StopLatency)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
