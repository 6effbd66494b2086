#include "model/room_links.h"

#include <optional>
#include <string_view>

#include "foundation/text.h"

namespace quenlo {

namespace {

// The link between `open` and `close` (the braces) with its first bar at
// `bar`, or nothing when it is malformed.
std::optional<RoomLink> read_link(std::string_view text, std::size_t open, std::size_t close,
                                  std::size_t bar) {
    if (close == std::string_view::npos || bar == std::string_view::npos) return std::nullopt;
    if (close < open || count_code_points(text.substr(open + 1, close - open - 1)) < 4)
        return std::nullopt;
    if (bar <= open + 1 || bar + 1 >= close) return std::nullopt;
    RoomLink link;
    link.open = open;
    link.close = close;
    link.shown = text.substr(open + 1, bar - open - 1);
    const std::string_view target = text.substr(bar + 1, close - bar - 1);
    const std::size_t second_bar = target.find('|');
    std::string_view object = target;
    std::string_view destination;
    if (second_bar != std::string_view::npos) {
        link.exit = true;
        object = target.substr(0, second_bar);
        const std::string_view rest = target.substr(second_bar + 1);
        const std::size_t third_bar = rest.find('|');
        link.verb = rest.substr(0, third_bar);
        destination =
            third_bar == std::string_view::npos ? std::string_view() : rest.substr(third_bar + 1);
        if (count_code_points(object) < 3 || link.verb.empty() ||
            count_code_points(destination) < 3)
            return std::nullopt;
    }
    // A brace inside the shown text or the object would survive into the
    // marker and be taken for the start of the next link.
    if (link.shown.find('{') != std::string::npos || object.find('{') != std::string_view::npos)
        return std::nullopt;
    link.object.text = object;
    link.destination.text = destination;
    return link;
}

}  // namespace

TextRange text_range(const RoomText& text, const std::vector<std::string>& lines,
                     std::size_t offset, std::size_t length) {
    for (const std::size_t index : text.lines) {
        const std::string_view line = lines[index];
        const std::string_view trimmed = trim_view(line);
        if (offset <= trimmed.size()) {
            const std::size_t lead = static_cast<std::size_t>(trimmed.data() - line.data());
            const std::size_t begin = lead + offset;
            return {index, begin, std::min(begin + length, line.size())};
        }
        offset -= trimmed.size() + 1;
    }
    return {text.lines.empty() ? 0 : text.lines.back(), 0, 0};
}

void read_room_links(RoomText& room_text, const std::vector<std::string>& lines) {
    const std::string_view text = room_text.joined;
    // Everything before `from` is done and holds no brace and no bar, so the
    // first of each found from here is the first in the whole text.
    std::size_t from = 0;
    for (std::size_t open = text.find('{'); open != std::string_view::npos;
         open = text.find('{', from)) {
        const std::size_t close = text.find('}', from);
        const std::size_t bar = text.find('|', from);
        auto link = read_link(text, open, close, bar);
        if (!link) {
            room_text.malformed = open;
            return;
        }
        const std::size_t object_at = bar + 1;
        link->object.range = text_range(room_text, lines, object_at, link->object.text.size());
        if (link->exit) {
            const std::size_t destination_at = close - link->destination.text.size();
            link->destination.range =
                text_range(room_text, lines, destination_at, link->destination.text.size());
        }
        room_text.links.push_back(std::move(*link));
        from = close + 1;
    }
}

}  // namespace quenlo
