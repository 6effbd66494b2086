#include "compilers/compile_rooms.h"

#include <algorithm>
#include <array>
#include <string>

#include "checks/definition_name.h"
#include "checks/escape_text.h"
#include "checks/script_calls.h"
#include "compilers/merge_room_links.h"
#include "foundation/build.h"
#include "foundation/error.h"
#include "foundation/project_limits.h"
#include "foundation/text.h"
#include "foundation/work_buffer.h"
#include "model/project_reading.h"

namespace quenlo {

namespace {

// Logs what the reader found of a room, in the order of its lines, and adds
// the conditions that discover it on the map or make it a dialog room.
void declare_room(Build& build, const RoomDecl& room) {
    const int n = room.number;
    const std::string number = std::to_string(n);
    if (!room.hidden && build.map_enabled && n >= 1)
        append_line(build.reAddCond,
                    "if (window.g_room == " + number + ") f_discovermap(" + number + ");");
    if (room.dialog && n >= 1)
        append_line(build.reAddCond,
                    "if (window.g_room == " + number + ") window.g_dialogroom = true;");
    build.log.log_line("Found room: " + number);
    if (room.start) {
        build.start_room = n;
        build.log.log_line(" -> start room");
    }
}

void name_room(Build& build, const RoomDecl& room) {
    build.lstroom[room.number] = room.identifier.text;
    build.log.log_line(" -> " + room.identifier.text);
    if (!room.selector.empty()) build.log.log_line(" -> " + room.selector.text);
}

// The index of the variable that picks the room's text, or -1.
int selector_index(const Build& build, const RoomDecl& room) {
    if (room.selector.empty()) return -1;
    for (int i = 0; i < static_cast<int>(build.lstvar.size()); ++i)
        if (build.lstvar[i] == room.selector.text) return i;
    return -1;
}

void reset_declaration_buffers(Build& build) {
    build.lstroom.assign(room_count, std::string());
    build.reAddCond.clear();
    build.reAddAction.clear();
    build.reAddMenu.clear();
    build.reAddMenu_lines.clear();
    build.reAddCounter.clear();
    build.lstobjroom.clear();
    build.exits.clear();
    build.room_link_objects.clear();
}

// The rooms as the reader read them, up to the line it stopped at, which
// fails the build there.
void declare_rooms(Build& build, const RoomsReading& reading) {
    for (std::size_t k = 0; k < reading.rooms.size(); ++k) {
        build.poll_stop();
        const RoomDecl& room = reading.rooms[k];
        declare_room(build, room);
        if (!room.selector.empty() && selector_index(build, room) < 0)
            throw Error("unknown variable: " + room.selector.text,
                        build.sources.location("rooms.qnr", room.selector.range.line + 1));
        const bool last = k + 1 == reading.rooms.size();
        if (reading.stop && last && reading.stop_at_identifier) break;
        if (!room.identifier.empty()) name_room(build, room);
    }
    if (reading.stop) throw error_from(*reading.stop);
}

std::string description_line(int room, int selector, int text_number, std::string_view text) {
    const std::string r = std::to_string(room);
    std::string test = "if ((window.g_room == " + r + ")";
    if (selector >= 0) {
        const std::string v = std::to_string(selector);
        test += text_number == 1
                    ? "&& (window.g_var[" + v + "]<=1)"
                    : "&& (window.g_var[" + v + "]==" + std::to_string(text_number) + ")";
    }
    return test + ") rdesc = ('" + std::string(text) + "');";
}

}  // namespace

void compile_rooms(Build& build) {
    const SourceFile& file = build.sources.file("rooms.qnr");
    const std::string& path = file.path;
    build.log.log_line("%Merge file: " + path);
    reset_declaration_buffers(build);
    for (const std::string& line : file.lines) add_text_names(line, build.text_names);
    const RoomsReading& reading = project_model(build).rooms;
    declare_rooms(build, reading);

    std::array<const RoomDecl*, room_count> by_number{};
    for (const RoomDecl& room : reading.rooms) by_number[room.number] = &room;
    std::string code;
    std::string identifiers;
    for (int n = 0; n < room_count; ++n) {
        build.poll_stop();
        const std::string& identifier = build.lstroom[n];
        if (identifier.empty()) {
            identifiers += "'',";
            identifiers += crlf;
            continue;
        }
        identifiers += "'" + identifier + "',";
        identifiers += crlf;
        const RoomDecl& room = *by_number[n];
        const int selector = selector_index(build, room);
        const std::size_t texts = selector >= 0 ? room.texts.size() : 1;
        for (std::size_t k = 0; k < texts && !room.texts[k].joined.empty(); ++k) {
            const RoomText& text = room.texts[k];
            const std::string escaped =
                locating_errors([&] { return line_location(path, file.lines, room.header_line); },
                                [&] { return escape_text(merge_room_links(build, file, text)); });
            std::string line = description_line(n, selector, static_cast<int>(k) + 1, escaped);
            append_line(code, line);
            build.note_generated(std::move(line), "rooms.qnr", text.lines.front() + 1,
                                 text.lines.back() + 1);
        }
        const SourceLocation declared = place_of(file, room.identifier.range);
        if (const Symbol* earlier = build.symbols.declare({identifier, SymbolKind::room, declared}))
            throw Error("duplicated definition: " + identifier, declared)
                .note("first declared here", earlier->where);
        build.log.log_line("Added room: " + std::to_string(n) + " : " + identifier);
    }

    for (const Exit& exit : build.exits)
        if (!std::count(build.lstroom.begin(), build.lstroom.end(), exit.destination))
            throw Error("unknown direction in rooms.qnr: " + exit.destination,
                        exit.destination_place);

    replace_all_in_place(build.page, "___ROOMS___", code);
    replace_all_in_place(build.page, "___ROOMIDS___", identifiers);
}

}  // namespace quenlo
