#include "checks/definition_name.h"
#include "foundation/parse_integer.h"
#include "foundation/project_limits.h"
#include "foundation/text.h"
#include "model/read_sources.h"
#include "model/room_links.h"

namespace quenlo {

namespace {

constexpr std::string_view section_sign = "\xC2\xA7";  // "§" divides the texts of a room

class RoomReader {
public:
    explicit RoomReader(const SourceFile& file) : file_(file) {}

    RoomsReading read() {
        const std::vector<std::string>& lines = file_.lines;
        for (line_ = 0; line_ < lines.size() && !reading_.stop; ++line_) {
            const std::string_view line = trim_view(lines[line_]);
            if (line.empty() || line.starts_with("//")) continue;
            if (line.front() == '{' && line.back() == '}' && count_code_points(line) <= 7)
                read_header(line);
            else if (line.front() == '_' && line.back() == '_')
                read_identifier(line);
            else
                read_description(line);
        }
        for (RoomDecl& room : reading_.rooms)
            for (RoomText& text : room.texts) read_room_links(text, lines);
        return std::move(reading_);
    }

private:
    void stop(std::string text, std::vector<Note> notes = {}) {
        Diagnostic problem = problem_at(file_, line_, std::move(text));
        problem.notes = std::move(notes);
        reading_.stop = std::move(problem);
    }
    void syntax_error(std::string_view line) { stop("syntax error: " + std::string(line)); }

    RoomDecl* current() { return reading_.rooms.empty() ? nullptr : &reading_.rooms.back(); }
    bool current_has_identifier() { return current() && !current()->identifier.empty(); }

    void read_header(std::string_view line) {
        if (current() && !current_has_identifier()) return syntax_error(line);
        RoomDecl room;
        room.header_line = line_;
        std::string_view rest = trim_view(line.substr(1, line.size() - 2));
        room.dialog = rest.starts_with(':');
        if (room.dialog) rest.remove_prefix(1);
        room.start = rest.starts_with('*');
        if (room.start) {
            if (start_line_)
                return stop("start room is not unique",
                            {{"the other start room",
                              line_location(file_.path, file_.lines, *start_line_)}});
            start_line_ = line_;
            rest.remove_prefix(1);
        }
        room.hidden = rest.starts_with('#');
        if (room.hidden) rest.remove_prefix(1);
        const auto number = parse_integer(rest);
        if (!number || *number < 0 || *number >= room_count) return syntax_error(line);
        for (const RoomDecl& other : reading_.rooms)
            if (other.number == *number)
                return syntax_error("Duplicated room index: " + std::string(line));
        room.number = *number;
        room.texts.emplace_back();
        reading_.rooms.push_back(std::move(room));
        text_ = 0;
    }

    void read_identifier(std::string_view line) {
        if (!current()) return syntax_error(line);
        RoomDecl& room = *current();
        const std::size_t bar = line.find('|');
        const std::string_view identifier = line.substr(0, bar);
        if (bar != std::string_view::npos) {
            const std::string_view variable = line.substr(bar + 1);
            room.selector = {std::string(variable), range_of(file_.lines, line_, variable)};
        }
        if (!is_definition_name(identifier)) {
            reading_.stop_at_identifier = true;
            return stop("invalid definition: " + std::string(identifier));
        }
        for (const RoomDecl& other : reading_.rooms)
            if (other.identifier.text == identifier) {
                reading_.stop_at_identifier = true;
                return stop("duplicated room: " + std::string(identifier),
                            {{"first declared here", line_location(file_.path, file_.lines,
                                                                   other.identifier.range.line)}});
            }
        room.identifier = {std::string(identifier), range_of(file_.lines, line_, identifier)};
    }

    void read_description(std::string_view line) {
        if (!current_has_identifier()) return syntax_error(line);
        RoomDecl& room = *current();
        if (line == section_sign) {
            if (++text_ >= texts_per_room) return syntax_error(section_sign);
            room.texts.emplace_back();
            return;
        }
        if (room.number < 1) return;  // the player is never in room 0
        RoomText& text = room.texts.back();
        text.joined.append(line);
        text.joined += ' ';
        text.lines.push_back(line_);
    }

    const SourceFile& file_;
    RoomsReading reading_;
    std::size_t line_ = 0;
    std::optional<std::size_t> start_line_;
    int text_ = 0;
};

}  // namespace

RoomsReading read_rooms(const SourceFile& file) {
    return RoomReader(file).read();
}

}  // namespace quenlo
