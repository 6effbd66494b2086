#pragma once
// The live preview: a web server on 127.0.0.1 that serves the built pages of
// one project, the debug page at "/" and, when asked for, the release page at
// "/release", and nothing else. Each page it serves carries the preview's
// script, which it tells of every build over Server-Sent Events (the same
// address, asked for "text/event-stream"): a success reloads the page, a
// failure shows its error over it. The script reports the game's own script
// errors back, and the server tells its owner where in the author's files
// they are.
//
// Whoever runs the builds (the command line, the window) starts the server
// once and tells it how each build ended.

#include <memory>
#include <string>

#include "generator/build_result.h"
#include "preview/preview_site.h"

namespace quenlo {

inline constexpr int default_preview_port = 8470;

class PreviewServer {
public:
    using Reporter = PreviewSite::Reporter;

    PreviewServer();
    ~PreviewServer();  // stops
    PreviewServer(const PreviewServer&) = delete;
    PreviewServer& operator=(const PreviewServer&) = delete;

    // Listens on 127.0.0.1 at `first_port`, or the first free port after it;
    // returns that port. Fails with quenlo::Error when none is free.
    // `reporter` is told the lines of each script error of the game, on the
    // server's thread.
    int start(const std::string& project_folder, bool release,
              int first_port = default_preview_port, Reporter reporter = {});
    // Closes every connection and stops listening; waits for that.
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
