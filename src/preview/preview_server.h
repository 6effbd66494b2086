#pragma once
// The live preview: a web server on 127.0.0.1 that serves the built pages of
// one project, the debug page at "/" and, when asked for, the release page at
// "/release", and nothing else. Each page it serves carries the preview's
// script, which it tells of every build over Server-Sent Events (the same
// address, asked for "text/event-stream"): a success reloads the page, a
// failure shows its error over it. Requests naming another host get 403, so
// that no web site can reach the server through a name of its own.
//
// Whoever runs the builds (the command line, the window) starts the server
// once and tells it how each build ended.

#include <cstdint>
#include <memory>
#include <string>

#include "generator/build_result.h"

namespace quenlo {

inline constexpr int default_preview_port = 8470;

class PreviewServer {
public:
    PreviewServer();
    ~PreviewServer();  // stops
    PreviewServer(const PreviewServer&) = delete;
    PreviewServer& operator=(const PreviewServer&) = delete;

    // Listens on 127.0.0.1 at `first_port`, or the first free port after it;
    // returns that port. Fails with quenlo::Error when none is free.
    int start(const std::string& project_folder, bool release,
              int first_port = default_preview_port);
    // Ends open event streams and stops listening; waits for that.
    void stop();
    // The port listened on, 0 when not started.
    int port() const;

    // A build of the project ended. After a success the pages it wrote are
    // read now and served from then on; open pages reload. After a failure
    // they keep the pages they have and show its error report. Builds of
    // another project folder are ignored.
    void build_finished(const std::string& project_folder, const BuildResult& result);

    struct State;

private:
    std::unique_ptr<State> state_;
};

}  // namespace quenlo
