#include "jsengine/engine_entry.h"

#include <js/CompilationAndEvaluation.h>
#include <js/CompileOptions.h>
#include <js/Context.h>
#include <js/ErrorReport.h>
#include <js/Exception.h>
#include <js/GlobalObject.h>
#include <js/Initialization.h>
#include <js/RealmOptions.h>
#include <js/SourceText.h>
#include <js/Stack.h>
#include <jsapi.h>

#include <atomic>
#include <cstdint>
#include <limits>
#include <memory>
#include <mutex>
#include <stdexcept>

namespace quenlo {

namespace {

// What the engine may use of its thread's stack: all but a margin for the
// frames it runs between two of its own depth checks, and for ours.
constexpr std::size_t stack_margin = 1024 * 1024;

// JS_Init may run once per process. JS_ShutDown must run before the library's
// own statics are destroyed at exit: it stops the engine's helper threads,
// which otherwise still hold a lock that a static destructor then frees, and
// the exiting process crashes.
class EngineLibrary {
public:
    ~EngineLibrary() {
        if (started_) JS_ShutDown();
    }

    // Nothing when the engine may be used, else why not.
    const char* start() {
        std::call_once(once_, [this] {
            failure_ = JS_InitWithFailureDiagnostic();
            started_ = failure_ == nullptr;
        });
        return failure_;
    }

private:
    std::once_flag once_;
    const char* failure_ = nullptr;
    std::atomic<bool> started_ = false;
};

EngineLibrary& engine_library() {
    static EngineLibrary library;
    return library;
}

struct DestroyContext {
    void operator()(JSContext* cx) const { JS_DestroyContext(cx); }
};

const JSClass global_class = {
    "ScriptCheck", JSCLASS_GLOBAL_FLAGS, &JS::DefaultGlobalClassOps, nullptr, nullptr, nullptr};

std::runtime_error engine_failure(const std::string& why) {
    return std::runtime_error("JavaScript parser failed: " + why);
}

// The exception a failed compile left, taken off the context.
EngineError take_pending_error(JSContext* cx) {
    JS::ExceptionStack exception(cx);
    if (!JS::StealPendingExceptionStack(cx, &exception))
        throw engine_failure("the engine stopped without an error");
    // The engine's own failures (out of memory) throw a plain string; what it
    // finds in a script is an error object.
    if (!exception.exception().isObject()) throw engine_failure("out of memory");
    JS::ErrorReportBuilder builder(cx);
    if (!builder.init(cx, exception, JS::ErrorReportBuilder::NoSideEffects) || !builder.report())
        throw engine_failure("out of memory");
    const JSErrorReport& report = *builder.report();
    const char* message = report.message().c_str();
    return EngineError{message ? message : "", report.lineno, report.column};
}

std::optional<EngineError> compile(JSContext* cx, std::string_view source) {
    JS::CompileOptions options(cx);
    options.setFileAndLine("", 1);
    JS::SourceText<mozilla::Utf8Unit> text;
    if (text.init(cx, source.data(), source.size(), JS::SourceOwnership::Borrowed)) {
        const JS::RootedScript script(cx, JS::Compile(cx, options, text));
        if (script) return std::nullopt;
    }
    return take_pending_error(cx);
}

void keep_engine_until_exit() {
    engine_library();
}

void serve_engine(std::size_t stack_size, const std::function<void(const EngineCheck&)>& serve) {
    if (const char* failure = engine_library().start()) throw engine_start_failure(failure);
    // The heap may grow to 4 GB: under the default bound of 32 MB a script of a
    // few megabytes runs out of memory, after seconds of collecting.
    const std::unique_ptr<JSContext, DestroyContext> context(
        JS_NewContext(std::numeric_limits<std::uint32_t>::max()));
    if (!context) throw engine_start_failure("out of memory");
    JSContext* cx = context.get();
    // The default bound refuses even a thousand nested brackets. With this one
    // the engine uses its thread's stack, and deeper scripts still end in "too
    // much recursion", never past the stack's end.
    JS_SetNativeStackQuota(cx, stack_size - stack_margin);
    if (!JS::InitSelfHostedCode(cx)) throw engine_start_failure("its built-in code did not load");
    const JS::RealmOptions realm_options;
    const JS::RootedObject global(
        cx, JS_NewGlobalObject(cx, &global_class, nullptr, JS::FireOnNewGlobalHook, realm_options));
    if (!global) throw engine_start_failure("no global object");
    const JSAutoRealm realm(cx, global);
    serve([cx](std::string_view source) { return compile(cx, source); });
}

const EngineEntry entry = {&keep_engine_until_exit, &serve_engine};

}  // namespace

}  // namespace quenlo

extern "C" __attribute__((visibility("default"))) const quenlo::EngineEntry* quenlo_engine_entry() {
    return &quenlo::entry;
}
