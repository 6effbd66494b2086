#include "compilers/compile_rooms.h"

#include <array>
#include <string>
#include <unordered_set>

#include "checks/definition_name.h"
#include "checks/escape_text.h"
#include "checks/script_calls.h"
#include "compilers/merge_room_links.h"
#include "foundation/build.h"
#include "foundation/error.h"
#include "foundation/parse_integer.h"
#include "foundation/project_files.h"
#include "foundation/text.h"
#include "foundation/work_buffer.h"

namespace quenlo {

namespace {

constexpr int room_count = 80;
constexpr int texts_per_room = 5;
constexpr std::string_view section_sign = "\xC2\xA7";  // "§" divides the texts of a room

struct Room {
    std::array<std::string, texts_per_room> texts;
    int selector = -1;            // index of the variable that picks the text, or -1
    std::size_t header_line = 0;  // line indexes in "rooms.qnr"
    std::size_t identifier_line = 0;
    std::array<std::size_t, texts_per_room> first_line{};  // of each text, from 1
    std::array<std::size_t, texts_per_room> last_line{};
    std::array<std::vector<std::size_t>, texts_per_room> lines;  // indexes of each text's lines
};

// The place of character `offset` of a room text, whose lines are joined
// trimmed, each followed by a blank.
SourceLocation text_place(const std::string& path, const std::vector<std::string>& lines,
                          const std::vector<std::size_t>& text_lines, std::size_t offset) {
    for (const std::size_t index : text_lines) {
        const std::string_view line = lines[index];
        const std::string_view trimmed = trim_view(line);
        if (offset <= trimmed.size()) {
            const std::size_t lead = static_cast<std::size_t>(trimmed.data() - line.data());
            return line_location(path, lines, index,
                                 count_code_points(line.substr(0, lead + offset)) + 1);
        }
        offset -= trimmed.size() + 1;
    }
    return {};
}

// Reads the lines of "rooms.qnr" into the room slots.
class RoomScanner {
public:
    explicit RoomScanner(Build& build) : build_(build) {}

    void scan(const std::string& path, const std::vector<std::string>& lines) {
        path_ = &path;
        lines_ = &lines;
        for (line_ = 0; line_ < lines.size(); ++line_) {
            build_.poll_stop();
            const std::string_view line = trim_view(lines[line_]);
            if (line.empty() || line.starts_with("//")) continue;
            locating_errors(
                [&] { return line_location(path, lines, line_); },
                [&] {
                    if (line.front() == '{' && line.back() == '}' && count_code_points(line) <= 7)
                        read_header(line);
                    else if (line.front() == '_' && line.back() == '_')
                        read_identifier(line);
                    else
                        read_description(line);
                });
        }
    }

    const std::array<Room, room_count>& rooms() const { return rooms_; }

private:
    static Error syntax_error(std::string_view line) {
        return Error("syntax error: " + std::string(line));
    }

    bool current_has_identifier() const {
        return current_ >= 0 && !build_.lstroom[current_].empty();
    }

    void read_header(std::string_view line) {
        if (current_ >= 0 && !current_has_identifier()) throw syntax_error(line);
        text_ = 0;
        std::string_view rest = trim_view(line.substr(1, line.size() - 2));
        const bool dialog_room = rest.starts_with(':');
        if (dialog_room) rest.remove_prefix(1);
        const bool start_room = rest.starts_with('*');
        if (start_room) {
            if (has_start_room_)
                throw Error("start room is not unique")
                    .note("the other start room", at(start_line_));
            has_start_room_ = true;
            start_line_ = line_;
            rest.remove_prefix(1);
        }
        const bool auto_discover = !rest.starts_with('#');
        if (!auto_discover) rest.remove_prefix(1);

        const auto number = parse_integer(rest);
        if (!number || *number < 0 || *number >= room_count) throw syntax_error(line);
        const int n = *number;
        if (!build_.lstroom[n].empty())
            throw syntax_error("Duplicated room index: " + std::string(line));
        current_ = n;
        rooms_[n].header_line = line_;

        const std::string room = std::to_string(n);
        if (auto_discover && build_.map_enabled && n >= 1)
            append_line(build_.reAddCond,
                        "if (window.g_room == " + room + ") f_discovermap(" + room + ");");
        if (dialog_room && n >= 1)
            append_line(build_.reAddCond,
                        "if (window.g_room == " + room + ") window.g_dialogroom = true;");
        build_.log.log_line("Found room: " + room);
        if (start_room) {
            build_.start_room = n;
            build_.log.log_line(" -> start room");
        }
    }

    void read_identifier(std::string_view line) {
        if (current_ < 0) throw syntax_error(line);
        const std::size_t bar = line.find('|');
        const std::string_view identifier = line.substr(0, bar);
        std::string_view variable;
        if (bar != std::string_view::npos) {
            variable = line.substr(bar + 1);
            int found = -1;
            for (int i = 0; i < static_cast<int>(build_.lstvar.size()) && found < 0; ++i)
                if (build_.lstvar[i] == variable) found = i;
            if (found < 0) throw Error("unknown variable: " + std::string(variable));
            rooms_[current_].selector = found;
        }
        check_definition_name(identifier);
        for (std::size_t k = 0; k < build_.lstroom.size(); ++k)
            if (!build_.lstroom[k].empty() && build_.lstroom[k] == identifier)
                throw Error("duplicated room: " + std::string(identifier))
                    .note("first declared here", at(rooms_[k].identifier_line));
        build_.lstroom[current_] = identifier;
        rooms_[current_].identifier_line = line_;
        build_.log.log_line(" -> " + std::string(identifier));
        if (!variable.empty()) build_.log.log_line(" -> " + std::string(variable));
    }

    void read_description(std::string_view line) {
        if (!current_has_identifier()) throw syntax_error(line);
        if (line == section_sign) {
            if (++text_ >= texts_per_room) throw syntax_error(section_sign);
            return;
        }
        if (current_ < 1) return;  // the player is never in room 0
        Room& room = rooms_[current_];
        room.texts[text_].append(line);
        room.texts[text_] += ' ';
        if (room.first_line[text_] == 0) room.first_line[text_] = line_ + 1;
        room.lines[text_].push_back(line_);
        room.last_line[text_] = line_ + 1;
    }

    SourceLocation at(std::size_t index) const { return line_location(*path_, *lines_, index); }

    Build& build_;
    const std::string* path_ = nullptr;  // the file being scanned, and its lines
    const std::vector<std::string>* lines_ = nullptr;
    std::array<Room, room_count> rooms_;
    std::size_t line_ = 0;        // index of the line being read
    std::size_t start_line_ = 0;  // of the start room's header
    int current_ = -1;
    int text_ = 0;  // 0 to 4 for texts 1 to 5
    bool has_start_room_ = false;
};

void reset_declaration_buffers(Build& build) {
    build.lstroom.assign(room_count, std::string());
    build.reAddCond.clear();
    build.reAddAction.clear();
    build.reAddMenu.clear();
    build.reAddMenu_lines.clear();
    build.reAddCounter.clear();
    build.reAddObj.clear();
    build.lstobjroom.clear();
    build.lsttmpdir.clear();
    build.room_link_objects.clear();
}

std::string description_line(int room, const Room& slot, int text_number, std::string_view text) {
    const std::string r = std::to_string(room);
    std::string test = "if ((window.g_room == " + r + ")";
    if (slot.selector >= 0) {
        const std::string v = std::to_string(slot.selector);
        test += text_number == 1
                    ? "&& (window.g_var[" + v + "]<=1)"
                    : "&& (window.g_var[" + v + "]==" + std::to_string(text_number) + ")";
    }
    return test + ") rdesc = ('" + std::string(text) + "');";
}

}  // namespace

void compile_rooms(Build& build) {
    const std::string path = build.path("rooms.qnr");
    const std::vector<std::string> lines = read_lines(path);
    build.log.log_line("%Merge file: " + path);
    reset_declaration_buffers(build);
    for (const std::string& line : lines) add_text_names(line, build.text_names);

    RoomScanner scanner(build);
    scanner.scan(path, lines);

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
        const Room& room = scanner.rooms()[n];
        const int texts = room.selector >= 0 ? texts_per_room : 1;
        for (int k = 0; k < texts && !room.texts[k].empty(); ++k) {
            const std::string text =
                locating_errors([&] { return line_location(path, lines, room.header_line); },
                                [&] {
                                    const auto place_of = [&](std::size_t offset) {
                                        return text_place(path, lines, room.lines[k], offset);
                                    };
                                    return escape_text(merge_room_links(build, room.texts[k],
                                                                        identifier, place_of));
                                });
            std::string line = description_line(n, room, k + 1, text);
            append_line(code, line);
            build.note_generated(std::move(line), "rooms.qnr", room.first_line[k],
                                 room.last_line[k]);
        }
        const SourceLocation declared = line_location(
            path, lines, room.identifier_line, column_of(lines[room.identifier_line], identifier));
        if (const Symbol* earlier = build.symbols.declare({identifier, SymbolKind::room, declared}))
            throw Error("duplicated definition: " + identifier, declared)
                .note("first declared here", earlier->where);
        build.log.log_line("Added room: " + std::to_string(n) + " : " + identifier);
    }

    const std::unordered_set<std::string> rooms(build.lstroom.begin(), build.lstroom.end());
    for (const std::string& destination : build.lsttmpdir)
        if (!rooms.contains(destination))
            throw Error("unknown direction in rooms.qnr: " + destination,
                        find_location(path, lines, destination + "}"));

    replace_all_in_place(build.page, "___ROOMS___", code);
    replace_all_in_place(build.page, "___ROOMIDS___", identifiers);
}

}  // namespace quenlo
