#pragma once
// A story graph laid out by Graphviz's dot: where each room's box stands and
// the curve and label of each passage, as plain numbers in points (1/72 inch),
// y growing downwards from the picture's top left corner; and the graph drawn
// as SVG. Graphviz is loaded when the first graph is laid out.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "graphviz/graphviz_entry.h"
#include "storymap/story_graph.h"

namespace quenlo {

// Fails with Error when Graphviz cannot lay the graph out.
StoryLayout lay_out_story(const StoryGraph& graph);

// The graph drawn by Graphviz as an SVG document.
std::string story_svg(const StoryGraph& graph);

}  // namespace quenlo
