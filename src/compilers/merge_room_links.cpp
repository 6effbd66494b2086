#include "compilers/merge_room_links.h"

#include <optional>

#include "foundation/build.h"
#include "foundation/error.h"
#include "foundation/text.h"
#include "foundation/work_buffer.h"

namespace quenlo {

namespace {

constexpr std::string_view dashes = "// --------------------------------------";

struct Link {
    std::string_view shown;
    std::string_view object;
    std::string_view verb;         // exit links only
    std::string_view destination;  // exit links only
    bool is_exit = false;
};

// The link between `open` and `close` (the braces) with its first bar at
// `bar`, or nothing when it is malformed.
std::optional<Link> read_link(std::string_view text, std::size_t open, std::size_t close,
                              std::size_t bar) {
    if (close == std::string_view::npos || bar == std::string_view::npos) return std::nullopt;
    if (close < open || count_code_points(text.substr(open + 1, close - open - 1)) < 4)
        return std::nullopt;
    if (bar <= open + 1 || bar + 1 >= close) return std::nullopt;
    Link link;
    link.shown = text.substr(open + 1, bar - open - 1);
    const std::string_view target = text.substr(bar + 1, close - bar - 1);
    const std::size_t second_bar = target.find('|');
    if (second_bar == std::string_view::npos) {
        link.object = target;
    } else {
        link.is_exit = true;
        link.object = target.substr(0, second_bar);
        const std::string_view rest = target.substr(second_bar + 1);
        const std::size_t third_bar = rest.find('|');
        link.verb = rest.substr(0, third_bar);
        link.destination =
            third_bar == std::string_view::npos ? std::string_view() : rest.substr(third_bar + 1);
        if (count_code_points(link.object) < 3 || link.verb.empty() ||
            count_code_points(link.destination) < 3)
            return std::nullopt;
    }
    // A brace inside the shown text or the object would survive into the
    // marker and be taken for the start of the next link.
    if (link.shown.find('{') != std::string_view::npos ||
        link.object.find('{') != std::string_view::npos)
        return std::nullopt;
    return link;
}

void declare_exit(Build& build, const Link& link, std::string_view room) {
    std::string& out = build.reAddObj;
    append_line(out, "");
    append_line(out, dashes);
    append_line(out, "// rooms.qnr direction for room: " + std::string(room));
    append_line(out, "{" + std::string(link.object) + "}");
    append_line(out, ":desc.direction: " + std::string(link.verb));
    append_line(out, ":direction: " + std::string(link.destination));
    append_line(out, dashes);
    build.lsttmpdir.emplace_back(link.destination);
}

}  // namespace

std::string merge_room_links(Build& build, std::string_view text, std::string_view room,
                             const TextPlaces& place_of) {
    const auto fail = [&](std::size_t at) {
        Error error("failed object merging: " + std::string(text));
        if (place_of) error.locate(place_of(at));
        return error;
    };
    std::string out;
    out.reserve(text.size() + 16);
    // Everything before `from` is done and holds no brace and no bar, so the
    // first of each found from here is the first in the whole text.
    std::size_t from = 0;
    for (std::size_t open = text.find('{'); open != std::string_view::npos;
         open = text.find('{', from)) {
        const std::size_t close = text.find('}', from);
        const std::size_t bar = text.find('|', from);
        const auto link = read_link(text, open, close, bar);
        if (!link) throw fail(open);
        if (link->is_exit) declare_exit(build, *link, room);

        out.append(text, from, open - from);
        out += "@c";
        out.append(link->object);
        out += '@';
        out.append(link->shown);
        out += '@';
        from = close + 1;

        build.log.log_line("Merge room object: " + std::string(link->object));
        build.room_link_objects.emplace_back(link->object);
        build.lstobjroom.emplace_back(link->object);
    }
    out.append(text, from);
    return out;
}

}  // namespace quenlo
