#pragma once
// Graphviz itself, in a module of its own that the story layout loads when it
// first lays out a graph: a program that draws no graph never loads Graphviz
// and the libraries it brings (libz among them). The module reads DOT text
// and answers in plain numbers; the module and its loader are built together
// by one compiler, so the entry passes C++ types, and std::runtime_error for
// a failure. Only graphviz_layout.cpp includes a Graphviz header.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace quenlo {

struct LayoutPoint {
    double x = 0;
    double y = 0;
};

struct RoomBox {
    std::size_t room = 0;  // index of StoryGraph::rooms
    double x = 0;          // top left corner
    double y = 0;
    double width = 0;
    double height = 0;

    bool contains(LayoutPoint p) const {
        return p.x >= x && p.x <= x + width && p.y >= y && p.y <= y + height;
    }
};

struct PassageCurve {
    std::size_t passage = 0;  // index of StoryGraph::passages
    // A cubic B-spline as Graphviz gives it: a start point, then three points
    // for each piece; the arrow's head ends at `head`.
    std::vector<LayoutPoint> points;
    std::optional<LayoutPoint> head;
    std::optional<LayoutPoint> label;  // the label's centre
};

// Points (1/72 inch), y growing downwards from the picture's top left corner.
struct StoryLayout {
    double width = 0;
    double height = 0;
    std::vector<RoomBox> rooms;
    std::vector<PassageCurve> passages;
};

struct GraphvizEntry {
    // The graph of `dot` laid out by dot. Its nodes are identified "r" and
    // the room's index, its edges "p" and the passage's; those past `rooms`
    // and `passages` are left out.
    StoryLayout (*lay_out)(const std::string& dot, std::size_t rooms, std::size_t passages);
    // The graph of `dot` drawn as an SVG document.
    std::string (*svg)(const std::string& dot);
};

// The name the module exports its entry under, a function returning it.
inline constexpr const char* graphviz_entry_symbol = "quenlo_graphviz_entry";
using GraphvizEntryFunction = const GraphvizEntry* (*)();

}  // namespace quenlo
