#include "preview/preview_site.h"

#include <optional>
#include <sstream>

#include "preview/byte_range.h"
#include "preview/script_error_report.h"
#include "preview/script_patch.h"

namespace quenlo {

namespace {

// A request body anywhere but at the error address: none is needed, and a
// large one from another site would only cost memory and time.
constexpr std::size_t small_body = 1024;
// Different script errors told of one build: a game that throws a new one
// each turn has said enough by then.
constexpr std::size_t most_reported = 64;

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

std::shared_ptr<const std::string> shared(std::string text) {
    return std::make_shared<const std::string>(std::move(text));
}

std::string_view path_of(std::string_view target) {
    return target.substr(0, target.find('?'));
}

HttpAnswer not_allowed(std::string allowed) {
    HttpAnswer answer = HttpAnswer::text(405, "");
    answer.fields.emplace_back("Allow", std::move(allowed));
    return answer;
}

}  // namespace

PreviewSite::PreviewSite(std::string project_folder, bool release, Reporter reporter)
    : folder_(std::move(project_folder)), release_(release), reporter_(std::move(reporter)) {}

void PreviewSite::set_port(int port) {
    std::lock_guard lock(mutex_);
    port_ = port;
}

void PreviewSite::publish(std::string debug_page, std::string release_page,
                          const std::vector<std::string>& paths) {
    // Only this thread changes the pages and the build number, so they can
    // be prepared without holding up the requests. A page this build did not
    // write is served again with the new number, or its script would reload
    // it for ever.
    std::string* pages[2] = {&debug_page, &release_page};
    const std::uint64_t next = build_ + 1;
    std::shared_ptr<const std::string> written[2], served[2], events[2];
    for (std::size_t k = 0; k < 2; ++k) {
        written[k] = pages[k]->empty() ? written_[k] : shared(std::move(*pages[k]));
        if (!written[k]) continue;
        served[k] =
            shared(live_page(*written[k], k == 0 ? PageKind::debug : PageKind::release, next));
        std::string event;
        if (written_[k]) event = patch_event(build_, next, *written_[k], *written[k]);
        if (event.empty()) event = "event: built\ndata: " + std::to_string(next) + "\n\n";
        events[k] = shared(std::move(event));
    }
    std::lock_guard lock(mutex_);
    build_ = next;
    for (std::size_t k = 0; k < 2; ++k) {
        written_[k] = std::move(written[k]);
        served_[k] = std::move(served[k]);
        events_[k] = std::move(events[k]);
        if (k < paths.size() && !paths[k].empty()) paths_[k] = paths[k];
    }
    reported_.clear();
    ++outcomes_;
}

void PreviewSite::publish_failure(const std::vector<std::string>& report) {
    std::string event = "event: failed\n";
    for (const std::string& line : report) {
        std::istringstream pieces(line);
        for (std::string piece; std::getline(pieces, piece);) event += "data: " + piece + "\n";
    }
    auto failed = shared(event + "\n");
    std::lock_guard lock(mutex_);
    events_[0] = events_[1] = failed;
    ++outcomes_;
}

std::size_t PreviewSite::body_bound(const HttpRequest& request) const {
    return request.method == "POST" && path_of(request.target) == script_error_address
               ? max_body_bytes
               : small_body;
}

std::shared_ptr<const std::string> PreviewSite::news(int channel, std::uint64_t& seen) {
    std::lock_guard lock(mutex_);
    if (seen == outcomes_) return nullptr;
    seen = outcomes_;
    return events_[channel == 0 ? 0 : 1];
}

HttpAnswer PreviewSite::answer(const HttpRequest& request) {
    std::string host;
    {
        std::lock_guard lock(mutex_);
        host = ':' + std::to_string(port_);
    }
    const std::string_view named = request.field("host");
    if (named != "127.0.0.1" + host && named != "localhost" + host)
        return HttpAnswer::text(403, "");
    const std::string_view path = path_of(request.target);
    if (path == script_error_address) return report_answer(request, std::string(named));
    std::optional<PageKind> kind;
    if (path == "/") kind = PageKind::debug;
    if (path == "/release" && release_) kind = PageKind::release;
    if (!kind) return HttpAnswer::text(404, "");
    if (request.method != "GET" && request.method != "HEAD") return not_allowed("GET, HEAD");
    return page_answer(request, *kind);
}

// A page asked for "text/event-stream" is the stream of its events.
HttpAnswer PreviewSite::page_answer(const HttpRequest& request, PageKind kind) {
    const int channel = kind == PageKind::debug ? 0 : 1;
    if (request.field("accept").find("text/event-stream") != std::string_view::npos) {
        HttpAnswer answer;
        answer.content_type = "text/event-stream";
        answer.stream = true;
        answer.stream_channel = channel;
        return answer;
    }
    std::shared_ptr<const std::string> page;
    std::uint64_t build = 0;
    {
        std::lock_guard lock(mutex_);
        page = served_[channel];
        build = build_;
    }
    if (!page) {
        std::string waiting = waiting_page(kind, build);
        const std::size_t length = waiting.size();
        HttpAnswer answer = HttpAnswer::page(503, shared(std::move(waiting)), 0, length);
        answer.content_type = "text/html; charset=utf-8";
        return answer;
    }
    const std::size_t size = page->size();
    const ByteRange range = byte_range(request.field("range"), size);
    HttpAnswer answer;
    if (range.kind == ByteRange::Kind::unsatisfiable) {
        answer = HttpAnswer::page(416, nullptr, 0, 0);
        answer.fields.emplace_back("Content-Range", "bytes */" + std::to_string(size));
    } else if (range.kind == ByteRange::Kind::part) {
        answer = HttpAnswer::page(206, page, range.first, range.length);
        answer.fields.emplace_back("Content-Range",
                                   "bytes " + std::to_string(range.first) + '-' +
                                       std::to_string(range.first + range.length - 1) + '/' +
                                       std::to_string(size));
    } else {
        answer = HttpAnswer::page(200, page, 0, size);
    }
    answer.content_type = "text/html; charset=utf-8";
    return answer;
}

// Only the page itself reports: a POST from its own origin. Its answer is the
// text the page shows; the author is told of each error once per build.
HttpAnswer PreviewSite::report_answer(const HttpRequest& request, const std::string& host) {
    if (request.method != "POST") return not_allowed("POST");
    if (request.field("origin") != "http://" + host) return HttpAnswer::text(403, "");
    const std::optional<ScriptErrorReport> report = read_script_error_report(request.body);
    if (!report) return HttpAnswer::text(400, "");
    const int channel = report->page == "/release" ? 1 : 0;
    std::shared_ptr<const std::string> page;
    std::string page_path;
    std::uint64_t build = 0;
    {
        std::lock_guard lock(mutex_);
        page = written_[channel];
        page_path = paths_[channel];
        build = build_;
    }
    const std::vector<std::string> lines = script_error_lines(
        *report, page && report->build == build ? std::string_view(*page) : std::string_view(),
        page_path, folder_);
    std::string text;
    for (const std::string& line : lines) text += line + '\n';
    bool first_time = false;
    {
        std::lock_guard lock(mutex_);
        first_time = report->build == build_ && reported_.size() < most_reported &&
                     reported_.insert(text).second;
    }
    if (first_time && reporter_) reporter_(lines);
    text.pop_back();
    return HttpAnswer::text(200, std::move(text));
}

}  // namespace quenlo
