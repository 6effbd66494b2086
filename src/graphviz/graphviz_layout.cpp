#include "graphviz/graphviz_entry.h"

#include <graphviz/gvc.h>

#include <memory>
#include <mutex>
#include <string>

#include <stdexcept>

namespace quenlo {

namespace {

constexpr double points_per_inch = 72.0;

// Graphviz keeps state of its own between calls and is not safe to use from
// two threads at once; the window lays out off its thread.
std::mutex& graphviz_lock() {
    static std::mutex lock;
    return lock;
}

// One context for the module's life, called under the lock: making one loads
// Graphviz's plugins, and freeing it unloads them, each time.
GVC_t* graphviz_context() {
    static GVC_t* const context = gvContext();
    return context;
}

// One graph read from DOT and laid out by dot, freed in the right order.
class LaidOutGraph {
public:
    explicit LaidOutGraph(const std::string& dot) : context_(graphviz_context()) {
        if (context_) graph_ = agmemread(dot.c_str());
        laid_out_ = graph_ && gvLayout(context_, graph_, "dot") == 0;
    }
    // Throws once the destructor is sure to free what was made.
    void check() const {
        if (!context_) throw std::runtime_error("Graphviz cannot start");
        if (!graph_) throw std::runtime_error("Graphviz cannot read the story graph");
        if (!laid_out_) throw std::runtime_error("Graphviz cannot lay out the story graph");
    }
    ~LaidOutGraph() {
        if (laid_out_) gvFreeLayout(context_, graph_);
        if (graph_) agclose(graph_);
    }
    LaidOutGraph(const LaidOutGraph&) = delete;
    LaidOutGraph& operator=(const LaidOutGraph&) = delete;

    GVC_t* context() const { return context_; }
    Agraph_t* graph() const { return graph_; }

private:
    GVC_t* context_ = nullptr;
    Agraph_t* graph_ = nullptr;
    bool laid_out_ = false;
};

// The index after `prefix` in an id such as "r3", or npos.
std::size_t index_in_id(void* object, char prefix) {
    char* id = agget(object, const_cast<char*>("id"));
    if (!id || id[0] != prefix || id[1] == '\0') return std::string::npos;
    std::size_t index = 0;
    for (const char* c = id + 1; *c; ++c) {
        if (*c < '0' || *c > '9') return std::string::npos;
        index = index * 10 + static_cast<std::size_t>(*c - '0');
    }
    return index;
}

StoryLayout lay_out(const std::string& dot, std::size_t rooms, std::size_t passages) {
    std::lock_guard<std::mutex> hold(graphviz_lock());
    LaidOutGraph laid(dot);
    laid.check();
    Agraph_t* graph = laid.graph();
    const boxf bounds = GD_bb(graph);
    // Graphviz's y grows upwards; a picture's grows downwards from its top.
    const auto flip = [&](pointf p) { return LayoutPoint{p.x - bounds.LL.x, bounds.UR.y - p.y}; };

    StoryLayout layout;
    layout.width = bounds.UR.x - bounds.LL.x;
    layout.height = bounds.UR.y - bounds.LL.y;
    for (Agnode_t* node = agfstnode(graph); node; node = agnxtnode(graph, node)) {
        const std::size_t room = index_in_id(node, 'r');
        if (room >= rooms) continue;
        const LayoutPoint centre = flip(ND_coord(node));
        const double width = ND_width(node) * points_per_inch;
        const double height = ND_height(node) * points_per_inch;
        layout.rooms.push_back({room, centre.x - width / 2, centre.y - height / 2, width, height});
        for (Agedge_t* edge = agfstout(graph, node); edge; edge = agnxtout(graph, edge)) {
            const std::size_t passage = index_in_id(edge, 'p');
            if (passage >= passages) continue;
            PassageCurve curve{passage, {}, {}, {}};
            if (const splines* spline = ED_spl(edge); spline && spline->size > 0) {
                const bezier& piece = spline->list[0];
                for (int i = 0; i < piece.size; ++i) curve.points.push_back(flip(piece.list[i]));
                if (piece.eflag) curve.head = flip(piece.ep);
            }
            if (const textlabel_t* label = ED_label(edge))
                curve.label = flip(label->pos);
            else if (const textlabel_t* beside = ED_xlabel(edge); beside && beside->set)
                curve.label = flip(beside->pos);
            layout.passages.push_back(std::move(curve));
        }
    }
    return layout;
}

std::string svg(const std::string& dot) {
    std::lock_guard<std::mutex> hold(graphviz_lock());
    LaidOutGraph laid(dot);
    laid.check();
    char* data = nullptr;
    unsigned int length = 0;
    if (gvRenderData(laid.context(), laid.graph(), "svg", &data, &length) != 0 || !data)
        throw std::runtime_error("Graphviz cannot draw the story graph as SVG");
    std::string svg(data, length);
    gvFreeRenderData(data);
    return svg;
}

const GraphvizEntry entry = {&lay_out, &svg};

}  // namespace

}  // namespace quenlo

extern "C" __attribute__((visibility("default"))) const quenlo::GraphvizEntry*
quenlo_graphviz_entry() {
    return &quenlo::entry;
}
