#pragma once
// A story graph laid out by Graphviz's dot: where each room's box stands and
// the curve and label of each passage, as plain numbers in points (1/72 inch),
// y growing downwards from the picture's top left corner; and the graph drawn
// as SVG. Only this layer sees Graphviz.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "storymap/story_graph.h"

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

struct StoryLayout {
    double width = 0;
    double height = 0;
    std::vector<RoomBox> rooms;
    std::vector<PassageCurve> passages;
};

// Fails with Error when Graphviz cannot lay the graph out.
StoryLayout lay_out_story(const StoryGraph& graph);

// The graph drawn by Graphviz as an SVG document.
std::string story_svg(const StoryGraph& graph);

}  // namespace quenlo
