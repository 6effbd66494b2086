#include "jsparser/script_parser.h"

#include <pthread.h>

#include <condition_variable>
#include <cstring>
#include <deque>
#include <future>
#include <mutex>
#include <stdexcept>
#include <utility>

#include "jsparser/engine_module.h"

namespace quenlo {

namespace {

// The engine's parser recurses once per level of nesting in a script. This
// stack, that of a browser's main thread, takes whatever nesting a browser
// would load; deeper scripts are refused with "too much recursion".
constexpr std::size_t engine_stack_size = 8 * 1024 * 1024;

}  // namespace

// The engine's thread and the checks waiting for it. A check is a task the
// thread runs with the engine; its caller waits for the task's result.
struct ScriptParser::Engine {
    using Job = std::packaged_task<std::optional<EngineError>(const EngineCheck&)>;

    std::mutex mutex;
    std::condition_variable woken;
    std::deque<Job> jobs;
    bool stopping = false;
    std::optional<pthread_t> thread;
    std::string thread_failure;  // when there is no thread, the error every check fails with

    // Runs the jobs with `check` until the parser stops.
    void serve(const EngineCheck& check) {
        std::unique_lock lock(mutex);
        for (;;) {
            woken.wait(lock, [this] { return stopping || !jobs.empty(); });
            if (jobs.empty()) return;
            Job job = std::move(jobs.front());
            jobs.pop_front();
            lock.unlock();
            job(check);
            lock.lock();
        }
    }

    static void* run(void* self) {
        Engine& engine = *static_cast<Engine*>(self);
        try {
            engine_module().serve_engine(
                engine_stack_size, [&engine](const EngineCheck& check) { engine.serve(check); });
        } catch (const std::exception& failure) {
            // Without an engine, every check fails as its start did.
            const std::string why = failure.what();
            engine.serve([&why](std::string_view) -> std::optional<EngineError> {
                throw std::runtime_error(why);
            });
        }
        return nullptr;
    }
};

ScriptParser::ScriptParser() : engine_(std::make_unique<Engine>()) {
    // Loaded here, not on the engine's thread: the engine's state must outlive
    // this parser and whatever its caller makes after it.
    try {
        engine_module().keep_engine_until_exit();
    } catch (const std::exception& failure) {
        engine_->thread_failure = failure.what();
        return;
    }
    pthread_attr_t attributes;
    int error = pthread_attr_init(&attributes);
    if (error == 0) {
        error = pthread_attr_setstacksize(&attributes, engine_stack_size);
        pthread_t thread;
        if (error == 0) error = pthread_create(&thread, &attributes, &Engine::run, engine_.get());
        if (error == 0) engine_->thread = thread;
        pthread_attr_destroy(&attributes);
    }
    if (error != 0) engine_->thread_failure = engine_start_failure(std::strerror(error)).what();
}

ScriptParser::~ScriptParser() {
    if (!engine_->thread) return;
    {
        const std::lock_guard lock(engine_->mutex);
        engine_->stopping = true;
    }
    engine_->woken.notify_all();
    pthread_join(*engine_->thread, nullptr);
}

std::optional<ScriptSyntaxError> ScriptParser::syntax_error(std::string_view source,
                                                            std::size_t first_line) const {
    if (!engine_->thread) throw std::runtime_error(engine_->thread_failure);
    Engine::Job job([source](const EngineCheck& check) { return check(source); });
    std::future<std::optional<EngineError>> verdict = job.get_future();
    {
        const std::lock_guard lock(engine_->mutex);
        engine_->jobs.push_back(std::move(job));
    }
    engine_->woken.notify_all();
    const std::optional<EngineError> error = verdict.get();
    if (!error) return std::nullopt;
    if (error->line == 0) return ScriptSyntaxError{error->message};
    return ScriptSyntaxError{error->message, first_line + error->line - 1, error->column + 1};
}

}  // namespace quenlo
