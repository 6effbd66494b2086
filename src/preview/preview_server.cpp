#include "preview/preview_server.h"

#include <httplib.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <fstream>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>
#include <thread>

#include "foundation/error.h"
#include "preview/live_page.h"
#include "preview/script_patch.h"

namespace quenlo {

namespace {

constexpr const char* loopback = "127.0.0.1";
// Ports tried after the first one before giving up.
constexpr int ports_to_try = 100;
// An idle event stream sends a comment this often, so that a closed page's
// stream is noticed and its thread freed.
constexpr std::chrono::seconds keep_alive(15);
constexpr std::uint64_t nothing_told = UINT64_MAX;

std::string read_page(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// How an open page of build `from` becomes build `to`: the first data line
// names the builds and, unless the page stayed the same, the script and its
// lines; the others are the script's new lines. Empty when only a reload can.
std::string patch_event(std::uint64_t from, std::uint64_t to, std::string_view was,
                        std::string_view is) {
    std::string event = "event: patched\ndata: " + std::to_string(from) + ' ' + std::to_string(to);
    if (was == is) return event + "\n\n";
    const std::optional<ScriptPatch> patch = script_patch(was, is);
    if (!patch) return {};
    event += ' ' + std::to_string(patch->script) + ' ' + std::to_string(patch->lines) + ' ' +
             std::to_string(patch->kept_before) + ' ' + std::to_string(patch->kept_after) + '\n';
    for (const std::string& line : patch->inserted) event += "data: " + line + '\n';
    return event + '\n';
}

bool inside_folder(const std::string& path, const std::string& folder) {
    return path.size() > folder.size() && path.starts_with(folder) &&
           path.find('/', folder.size() + 1) == std::string::npos;
}

}  // namespace

struct PreviewServer::State {
    std::string folder;
    bool release = false;
    int port = 0;
    httplib::Server http;
    std::thread listener;

    std::mutex mutex;
    std::condition_variable told;
    std::uint64_t build = 0;     // the successful build whose pages are served
    std::uint64_t outcomes = 0;  // builds told of so far
    bool failed = false;         // the last build failed
    std::string error_text;      // its error block, one line per line
    std::string pages[2];        // as written, the debug page, then the release page
    std::shared_ptr<const std::string> served[2];  // their served copies, script included
    std::string patched[2];  // the event that brings the last build's pages up to date, if any
    bool closing = false;

    bool host_allowed(const httplib::Request& request) const {
        const std::string host = request.get_header_value("Host");
        const std::string suffix = ":" + std::to_string(port);
        return host == loopback + suffix || host == "localhost" + suffix;
    }

    // The current state as one event: "patched" when the pages of the build
    // before can be mended in place, otherwise "built" with the number of the
    // served build; or "failed" with the error block.
    std::string event_locked(PageKind kind) const {
        const std::string& patch = patched[kind == PageKind::debug ? 0 : 1];
        if (!failed && !patch.empty()) return patch;
        if (!failed) return "event: built\ndata: " + std::to_string(build) + "\n\n";
        std::string event = "event: failed\n";
        std::istringstream lines(error_text);
        for (std::string line; std::getline(lines, line);) event += "data: " + line + "\n";
        return event + "\n";
    }

    // With its length given, httplib sends the page as it is: compressing a
    // large page for a browser on the same machine would cost seconds.
    void serve_page(PageKind kind, httplib::Response& response) {
        std::shared_ptr<const std::string> body;
        std::uint64_t shown = 0;
        {
            std::lock_guard lock(mutex);
            body = served[kind == PageKind::debug ? 0 : 1];
            shown = build;
        }
        if (!body) {
            response.status = 503;
            body = std::make_shared<const std::string>(waiting_page(kind, shown));
        }
        response.set_header("Cache-Control", "no-store");
        response.set_content_provider(
            body->size(), "text/html; charset=utf-8",
            [body](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
                return sink.write(body->data() + offset, length);
            });
    }

    // Sends the current state at once, then each later outcome as it comes.
    void stream_events(PageKind kind, httplib::Response& response) {
        response.set_header("Cache-Control", "no-store");
        response.set_chunked_content_provider(
            "text/event-stream",
            [this, kind, sent = nothing_told](std::size_t, httplib::DataSink& sink) mutable {
                std::string message;
                {
                    std::unique_lock lock(mutex);
                    told.wait_for(lock, keep_alive, [&] { return closing || sent != outcomes; });
                    if (closing) return false;
                    if (sent == outcomes) {
                        message = ": waiting\n\n";
                    } else {
                        sent = outcomes;
                        message = event_locked(kind);
                    }
                }
                return sink.write(message.data(), message.size());
            });
    }

    void route(const std::string& path, PageKind kind) {
        http.Get(path, [this, kind](const httplib::Request& request, httplib::Response& response) {
            if (request.get_header_value("Accept").find("text/event-stream") != std::string::npos)
                stream_events(kind, response);
            else
                serve_page(kind, response);
        });
    }

    void set_up() {
        // Event streams hold a thread each while their page is open.
        http.new_task_queue = [] { return new httplib::ThreadPool(16); };
        http.set_pre_routing_handler(
            [this](const httplib::Request& request, httplib::Response& response) {
                if (host_allowed(request)) return httplib::Server::HandlerResponse::Unhandled;
                response.status = 403;
                return httplib::Server::HandlerResponse::Handled;
            });
        route("/", PageKind::debug);
        if (release) route("/release", PageKind::release);
    }
};

PreviewServer::PreviewServer() = default;

PreviewServer::~PreviewServer() {
    stop();
}

int PreviewServer::start(const std::string& project_folder, bool release, int first_port) {
    stop();
    auto state = std::make_unique<State>();
    state->folder = project_folder;
    state->release = release;
    // SO_REUSEADDR only: httplib's default adds SO_REUSEPORT, which would let
    // a second server share a taken port instead of moving to the next one.
    state->http.set_socket_options([](socket_t socket) {
        int yes = 1;
        ::setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    for (int port = first_port; port < first_port + ports_to_try && port <= 65535; ++port) {
        if (state->http.bind_to_port(loopback, port)) {
            state->port = port;
            break;
        }
    }
    if (state->port == 0)
        throw Error("No free port from " + std::to_string(first_port) + " on for the preview");
    state->set_up();
    state->listener = std::thread([&http = state->http] { http.listen_after_bind(); });
    state_ = std::move(state);
    return state_->port;
}

void PreviewServer::stop() {
    if (!state_) return;
    {
        std::lock_guard lock(state_->mutex);
        state_->closing = true;
    }
    state_->told.notify_all();
    state_->http.stop();
    if (state_->listener.joinable()) state_->listener.join();
    state_.reset();
}

int PreviewServer::port() const {
    return state_ ? state_->port : 0;
}

void PreviewServer::build_finished(const std::string& project_folder, const BuildResult& result) {
    if (!state_ || project_folder != state_->folder) return;
    State& state = *state_;
    if (!result.succeeded) {
        std::string text;
        for (const std::string& line : failure_report(result)) text += line + "\n";
        std::lock_guard lock(state.mutex);
        state.failed = true;
        state.error_text = std::move(text);
        ++state.outcomes;
    } else {
        // Only this thread changes the pages and the build number, so they
        // can be read and prepared without holding up the requests. A page
        // this build did not write is served again with the new number, or
        // its script would reload it for ever.
        std::string pages[2] = {state.pages[0], state.pages[1]};
        const std::vector<std::string>& written = result.pages;
        for (std::size_t k = 0; k < written.size() && k < 2; ++k)
            if (inside_folder(written[k], state.folder)) pages[k] = read_page(written[k]);
        const std::uint64_t next = state.build + 1;
        std::shared_ptr<const std::string> served[2];
        std::string patched[2];
        for (std::size_t k = 0; k < 2; ++k) {
            if (pages[k].empty()) continue;
            served[k] = std::make_shared<const std::string>(
                live_page(pages[k], k == 0 ? PageKind::debug : PageKind::release, next));
            if (!state.pages[k].empty())
                patched[k] = patch_event(state.build, next, state.pages[k], pages[k]);
        }
        std::lock_guard lock(state.mutex);
        state.build = next;
        for (std::size_t k = 0; k < 2; ++k) {
            state.pages[k] = std::move(pages[k]);
            state.served[k] = std::move(served[k]);
            state.patched[k] = std::move(patched[k]);
        }
        state.failed = false;
        state.error_text.clear();
        ++state.outcomes;
    }
    state.told.notify_all();
}

}  // namespace quenlo
