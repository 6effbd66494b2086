#include "storymap/dot_writer.h"

namespace quenlo {

namespace {

std::string room_label(const StoryRoom& room) {
    std::string label = room.name + "\n" + room_header(room);
    if (room.start) label += " start";
    if (room.dialog) label += " dialog";
    if (room.hidden) label += " hidden";
    if (room.unreachable) label += "\nunreachable";
    return label;
}

std::string room_style(const StoryRoom& room) {
    std::string style = room.dialog ? "rounded" : "solid";
    if (room.hidden) style += ",dashed";
    if (room.start) style += ",bold";
    return style;
}

// With many labelled exits dot spends seconds placing the labels among the
// rooms (each label is laid out as a node of its own); beyond this many, the
// labels go beside their arrows once the rooms stand, in a tenth of a second.
constexpr std::size_t labels_beside_from = 60;

}  // namespace

std::string dot_quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\', out += c;
        else if (c == '\n')
            out += "\\n";
        else if (c != '\r')
            out += c;
    }
    return out + "\"";
}

std::string story_dot(const StoryGraph& graph) {
    const bool beside = graph.passages.size() >= labels_beside_from;
    std::string dot =
        "digraph story {\n"
        "  graph [charset=\"UTF-8\", rankdir=TB";
    if (beside) dot += ", forcelabels=true";
    dot +=
        "];\n"
        "  node [shape=box, fontname=\"sans-serif\", fontsize=11];\n"
        "  edge [fontname=\"sans-serif\", fontsize=9];\n";
    for (std::size_t i = 0; i < graph.rooms.size(); ++i) {
        const StoryRoom& room = graph.rooms[i];
        dot += "  " + dot_quoted(room.name) + " [id=\"r" + std::to_string(i) +
               "\", label=" + dot_quoted(room_label(room)) + ", style=\"" + room_style(room) + "\"";
        if (room.start) dot += ", peripheries=2";
        if (room.unreachable) dot += ", color=red, fontcolor=red";
        dot += "];\n";
    }
    for (std::size_t i = 0; i < graph.passages.size(); ++i) {
        const StoryPassage& passage = graph.passages[i];
        dot += "  " + dot_quoted(graph.rooms[passage.from].name) + " -> " +
               dot_quoted(graph.rooms[passage.to].name) + " [id=\"p" + std::to_string(i) + "\"";
        if (!passage.label.empty())
            dot += (beside ? ", xlabel=" : ", label=") + dot_quoted(passage.label);
        if (passage.kind == StoryPassage::Kind::move) dot += ", style=dashed";
        dot += "];\n";
    }
    return dot + "}\n";
}

}  // namespace quenlo
