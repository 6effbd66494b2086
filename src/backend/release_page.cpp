#include "backend/release_page.h"

#include <algorithm>
#include <functional>
#include <string>
#include <string_view>

#include "backend/encode_release_text.h"
#include "backend/rename_runtime_identifiers.h"
#include "foundation/build.h"
#include "foundation/placeholders.h"

namespace quenlo {

namespace {

constexpr std::string_view debug_flag = "var g_isdebug = true;";
constexpr std::string_view release_flag = "var g_isdebug = false;";

// Where the line after the last one holding `text` starts: the end of the
// page when that line is its last, 0 when no line holds it.
std::size_t after_last_line_with(std::string_view page, std::string_view text) {
    // Searched for forwards, skipping, from the top where it stands.
    const std::boyer_moore_horspool_searcher searcher(text.begin(), text.end());
    std::size_t hit = std::string_view::npos;
    for (auto at = std::search(page.begin(), page.end(), searcher); at != page.end();
         at = std::search(at + static_cast<std::ptrdiff_t>(text.size()), page.end(), searcher))
        hit = static_cast<std::size_t>(at - page.begin());
    if (hit == std::string_view::npos) return 0;
    std::size_t end = page.find_first_of("\r\n", hit + text.size());
    if (end == std::string_view::npos) return page.size();
    if (page[end] == '\r' && end + 1 < page.size() && page[end + 1] == '\n') ++end;
    return end + 1;
}

}  // namespace

void make_release_page(Build& build) {
    // The flag lies near the top: only the lines up to it are copied to be
    // switched; the rest of the release text is read from the debug page.
    const std::string_view page = build.redebug;
    const std::size_t switched = after_last_line_with(page, debug_flag);
    build.release_text.assign(page.substr(0, switched));
    replace_placeholder(build.release_text, debug_flag, release_flag, build.log);
    build.poll_stop();

    ReleaseLineJoiner joiner(build, page.size());
    encode_release_lines(build, {build.release_text, page.substr(switched)},
                         [&](std::string_view line) { joiner.add(line); });
    build.poll_stop();
    build.release_text.clear();
    joiner.finish();
}

}  // namespace quenlo
