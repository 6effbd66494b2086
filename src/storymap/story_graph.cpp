#include "storymap/story_graph.h"

#include <algorithm>
#include <map>
#include <set>
#include <string_view>

#include "checks/script_calls.h"
#include "model/project_reading.h"

namespace quenlo {

namespace {

constexpr std::string_view move_function = "f_moveplayer";
constexpr std::string_view in_room_function = "f_isplayerin";
constexpr std::string_view action_function = "f_action";
constexpr std::string_view exit_verb_key = ":desc.direction:";

class GraphReader {
public:
    GraphReader(const ProjectModel& model, const ProjectSources& sources)
        : model_(model), sources_(sources) {}

    StoryGraph read() {
        const SourceFile* rooms_file = sources_.read("rooms.qnr");
        graph_.rooms_file = rooms_file ? rooms_file->path : sources_.folder() + "/rooms.qnr";
        add_rooms();
        place_objects();
        add_exits();
        add_menu_moves();
        add_script_moves();
        flag_unreachable();
        return std::move(graph_);
    }

private:
    void add_rooms() {
        const auto& rooms = model_.rooms.rooms;
        // Without a "*" the game starts in room 1.
        const bool start_given =
            std::any_of(rooms.begin(), rooms.end(), [](const RoomDecl& r) { return r.start; });
        for (const RoomDecl& room : rooms) {
            if (room.identifier.empty() || index_.contains(room.identifier.text)) continue;
            index_.emplace(room.identifier.text, graph_.rooms.size());
            graph_.rooms.push_back({room.identifier.text, room.number,
                                    start_given ? room.start : room.number == 1, room.dialog,
                                    room.hidden, false, room.header_line + 1});
        }
    }

    // The rooms an object stands in: those whose texts link it, and its :room:.
    void place_objects() {
        for (const RoomDecl& room : model_.rooms.rooms) {
            const auto from = index_.find(room.identifier.text);
            if (from == index_.end()) continue;
            for (const RoomText& text : room.texts)
                for (const RoomLink& link : text.links)
                    object_rooms_[link.object.text].insert(from->second);
        }
        for (const ObjectDecl& object : model_.objects.objects)
            if (const auto at = index_.find(object.room.text); at != index_.end())
                object_rooms_[object.id.text].insert(at->second);
    }

    void add_exits() {
        for (const RoomDecl& room : model_.rooms.rooms) {
            const auto from = index_.find(room.identifier.text);
            if (from == index_.end()) continue;
            for (const RoomText& text : room.texts)
                for (const RoomLink& link : text.links)
                    if (link.exit)
                        add(StoryPassage::Kind::exit, from->second, link.destination.text,
                            link.verb);
        }
        for (const ObjectDecl& object : model_.objects.objects) {
            if (object.direction.empty()) continue;
            const auto rooms = object_rooms_.find(object.id.text);
            if (rooms == object_rooms_.end()) continue;
            for (std::size_t from : rooms->second)
                add(StoryPassage::Kind::exit, from, object.direction.text, exit_verb(object));
        }
    }

    // A menu's code runs where its object is; an object that stands in no
    // room (carried, out of play) moves the player from a place unknown.
    void add_menu_moves() {
        const SourceFile* file = sources_.read("objects.qno");
        if (!file) return;
        for (const ObjectDecl& object : model_.objects.objects)
            for (const ObjectItem& item : object.items) {
                if (item.kind != ObjectItem::Kind::menu) continue;
                std::string code;
                for (std::size_t line : item.menu_lines)
                    if (line < file->lines.size()) code += file->lines[line] + "\n";
                const ScriptUses uses = scan_script_uses(code, file->name);
                const auto rooms = object_rooms_.find(object.id.text);
                for (const ScriptCall& call : uses.calls) {
                    const std::string* to = moved_to(call);
                    if (!to) continue;
                    if (rooms == object_rooms_.end())
                        unplaced_.insert(*to);
                    else
                        for (std::size_t from : rooms->second)
                            add(StoryPassage::Kind::move, from, *to, object.id.text);
                }
            }
    }

    // In the scripts a move runs under the statement that starts at the
    // line's margin above it, as in
    //   if (f_action("_leva_", "tira")) {      or   if (f_isplayerin("_rFaro_"))
    //     f_moveplayer("_rPozzo_");                   f_moveplayer("_rPozzo_");
    // and leads from the room that statement names, or where its object is.
    void add_script_moves() {
        for (const ScriptFile& script : model_.scripts) {
            const SourceFile* file = sources_.read(script.file);
            for (const ScriptCall& call : script.uses.calls) {
                const std::string* to = moved_to(call);
                if (!to) continue;
                const std::size_t head = file ? statement_head(*file, call.line) : call.line;
                std::set<std::size_t> from;
                std::string label;
                for (const ScriptCall& test : script.uses.calls) {
                    if (test.line != head || test.arguments.empty() ||
                        test.arguments[0].kind != ScriptArgument::Kind::text)
                        continue;
                    const std::string& named = test.arguments[0].value;
                    if (test.function == in_room_function) {
                        if (const auto room = index_.find(named); room != index_.end())
                            from.insert(room->second);
                    } else if (test.function == action_function) {
                        if (const auto rooms = object_rooms_.find(named);
                            rooms != object_rooms_.end()) {
                            from.insert(rooms->second.begin(), rooms->second.end());
                            label = named;
                        }
                    }
                }
                if (from.empty()) unplaced_.insert(*to);
                for (std::size_t room : from) add(StoryPassage::Kind::move, room, *to, label);
            }
        }
    }

    // The line (from 1) of the statement at the margin that holds line `line`.
    static std::size_t statement_head(const SourceFile& file, std::size_t line) {
        for (std::size_t at = std::min(line, file.lines.size()); at >= 1; --at) {
            const std::string& text = file.lines[at - 1];
            if (text.empty() || text[0] == ' ' || text[0] == '\t' || text[0] == '}' ||
                text.starts_with("//"))
                continue;
            return at;
        }
        return line;
    }

    // A room nothing leads to cannot be reached, unless a move whose room is
    // computed by the code might lead anywhere: then no room is flagged.
    void flag_unreachable() {
        if (computed_move_) return;
        std::set<std::size_t> led_to;
        for (const StoryPassage& passage : graph_.passages)
            if (passage.from != passage.to) led_to.insert(passage.to);
        for (std::size_t i = 0; i < graph_.rooms.size(); ++i) {
            StoryRoom& room = graph_.rooms[i];
            room.unreachable = !room.start && !led_to.contains(i) && !unplaced_.contains(room.name);
        }
    }

    // The room an f_moveplayer call names, when it is a plain text.
    const std::string* moved_to(const ScriptCall& call) {
        if (call.function != move_function || call.arguments.empty()) return nullptr;
        if (call.arguments[0].kind != ScriptArgument::Kind::text) {
            computed_move_ = true;
            return nullptr;
        }
        return &call.arguments[0].value;
    }

    static std::string exit_verb(const ObjectDecl& object) {
        for (const ObjectItem& item : object.items)
            if (item.kind == ObjectItem::Kind::property && item.key == exit_verb_key)
                return item.value;
        return object.id.text;
    }

    // A way to an undeclared room is the model's error, not the map's edge.
    void add(StoryPassage::Kind kind, std::size_t from, const std::string& to_name,
             const std::string& label) {
        const auto to = index_.find(to_name);
        if (to == index_.end()) return;
        StoryPassage passage{kind, from, to->second, label};
        const bool known =
            std::any_of(graph_.passages.begin(), graph_.passages.end(), [&](const StoryPassage& p) {
                return p.kind == kind && p.from == from && p.to == to->second && p.label == label;
            });
        if (!known) graph_.passages.push_back(std::move(passage));
    }

    const ProjectModel& model_;
    const ProjectSources& sources_;
    StoryGraph graph_;
    std::map<std::string, std::size_t, std::less<>> index_;
    std::map<std::string, std::set<std::size_t>> object_rooms_;
    std::set<std::string, std::less<>> unplaced_;
    bool computed_move_ = false;
};

}  // namespace

StoryGraph story_graph(const ProjectModel& model, const ProjectSources& sources) {
    return GraphReader(model, sources).read();
}

StoryGraph read_story_graph(const std::string& folder) {
    ProjectSources sources(folder);
    const ProjectModel model = read_project_model(sources);
    return story_graph(model, sources);
}

std::string room_header(const StoryRoom& room) {
    std::string header = "{";
    if (room.dialog) header += ':';
    if (room.start) header += '*';
    if (room.hidden) header += '#';
    return header + std::to_string(room.number) + "}";
}

}  // namespace quenlo
