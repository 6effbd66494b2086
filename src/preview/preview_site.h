#pragma once
// What the live preview serves, without its sockets: the pages of the last
// good build, each with the preview's script, the events that tell open
// pages of each build, and the address where a page reports its script
// errors. Any web page the author visits can send requests to it, so it
// answers with nothing but the pages it names: another host gets 403, a
// range is clamped to the page or refused, a body is read only at the error
// address and only from the page's own origin.

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "preview/http_connection.h"
#include "preview/live_page.h"

namespace quenlo {

// Where the served pages post their script errors.
inline constexpr std::string_view script_error_address = "/script-error";

class PreviewSite : public HttpSite {
public:
    // Told the lines of each script error the pages report, once per build,
    // on the server's thread.
    using Reporter = std::function<void(const std::vector<std::string>& lines)>;

    PreviewSite(std::string project_folder, bool release, Reporter reporter);

    // The port the server listens on, which requests must name.
    void set_port(int port);

    // A build succeeded: the pages it wrote, as written at `paths` (the debug
    // page, then the release page; an empty page keeps the one served), are
    // served from now on. Called on one thread only.
    void publish(std::string debug_page, std::string release_page,
                 const std::vector<std::string>& paths);
    // A build failed: open pages show `report`, one line per line.
    void publish_failure(const std::vector<std::string>& report);

    std::size_t body_bound(const HttpRequest& request) const override;
    HttpAnswer answer(const HttpRequest& request) override;
    std::shared_ptr<const std::string> news(int channel, std::uint64_t& seen) override;

private:
    HttpAnswer page_answer(const HttpRequest& request, PageKind kind);
    HttpAnswer report_answer(const HttpRequest& request, const std::string& host);

    const std::string folder_;
    const bool release_;
    const Reporter reporter_;

    mutable std::mutex mutex_;
    int port_ = 0;
    std::uint64_t build_ = 0;     // the successful build whose pages are served
    std::uint64_t outcomes_ = 0;  // builds told of so far
    // The pages as written, and where; only the publishing thread changes them.
    std::shared_ptr<const std::string> written_[2];
    std::string paths_[2];
    std::shared_ptr<const std::string> served_[2];  // with the preview's script
    std::shared_ptr<const std::string> events_[2];  // what open pages are sent now
    std::set<std::string> reported_;                // this build's script errors told
};

}  // namespace quenlo
