#include "compilers/merge_room_links.h"

#include "foundation/build.h"
#include "foundation/error.h"
#include "model/room_links.h"

namespace quenlo {

std::string merge_room_links(Build& build, const SourceFile& file, const RoomText& text) {
    const std::string_view joined = text.joined;
    std::string out;
    out.reserve(joined.size() + 16);
    std::size_t from = 0;
    for (const RoomLink& link : text.links) {
        if (link.exit)
            build.exits.push_back({link.object.text, link.verb, link.destination.text,
                                   place_of(file, link.object.range),
                                   place_of(file, link.destination.range)});
        out.append(joined, from, link.open - from);
        out += "@c";
        out.append(link.object.text);
        out += '@';
        out.append(link.shown);
        out += '@';
        from = link.close + 1;

        build.log.log_line("Merge room object: " + link.object.text);
        build.room_link_objects.push_back(link.object.text);
        build.lstobjroom.push_back(link.object.text);
    }
    if (text.malformed)
        throw Error("failed object merging: " + text.joined,
                    place_of(file, text_range(text, file.lines, *text.malformed, 1)));
    out.append(joined, from);
    return out;
}

}  // namespace quenlo
