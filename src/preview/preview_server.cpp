#include "preview/preview_server.h"

#include <fstream>
#include <sstream>
#include <thread>

#include "preview/http_server.h"

namespace quenlo {

namespace {

// Ports tried after the first one before giving up.
constexpr int ports_to_try = 100;

std::string read_page(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool inside_folder(const std::string& path, const std::string& folder) {
    return path.size() > folder.size() && path.starts_with(folder) &&
           path.find('/', folder.size() + 1) == std::string::npos;
}

}  // namespace

struct PreviewServer::State {
    State(const std::string& folder, bool release, Reporter reporter)
        : folder(folder), site(folder, release, std::move(reporter)), http(site) {}

    std::string folder;
    int port = 0;
    PreviewSite site;
    HttpServer http;
    std::thread serving;
};

PreviewServer::PreviewServer() = default;

PreviewServer::~PreviewServer() {
    stop();
}

int PreviewServer::start(const std::string& project_folder, bool release, int first_port,
                         Reporter reporter) {
    stop();
    auto state = std::make_unique<State>(project_folder, release, std::move(reporter));
    state->port = state->http.listen(first_port, ports_to_try);
    state->site.set_port(state->port);
    state->serving = std::thread([&http = state->http] { http.run(); });
    state_ = std::move(state);
    return state_->port;
}

void PreviewServer::stop() {
    if (!state_) return;
    state_->http.stop();
    if (state_->serving.joinable()) state_->serving.join();
    state_.reset();
}

int PreviewServer::port() const {
    return state_ ? state_->port : 0;
}

void PreviewServer::build_finished(const std::string& project_folder, const BuildResult& result) {
    if (!state_ || project_folder != state_->folder) return;
    State& state = *state_;
    if (!result.succeeded) {
        state.site.publish_failure(failure_report(result));
    } else {
        std::string pages[2];
        for (std::size_t k = 0; k < result.pages.size() && k < 2; ++k)
            if (inside_folder(result.pages[k], state.folder)) pages[k] = read_page(result.pages[k]);
        state.site.publish(std::move(pages[0]), std::move(pages[1]), result.pages);
    }
    state.http.notify();
}

}  // namespace quenlo
