// What a drag over the map costs: one cell painted, the connections looked up
// again, and the whole map drawn, on a grid where every cell carries a label
// and many connections are drawn. A drag stays smooth while this is far
// below a screen frame (16 ms). The end of a stroke adds its step to the undo
// history, which must cost nothing next to that.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "mapeditor/map_painting.h"
#include "project/map_connections.h"
#include "project/map_edit_history.h"
#include "project/map_editing.h"

namespace {

// Every cell tagged, areas in bands of columns, each with its point, and 78
// connections between neighbouring areas.
struct FullMap {
    FullMap() {
        for (int x = 1; x <= quenlo::MapGrid::columns; ++x)
            for (int y = 1; y <= quenlo::MapGrid::rows; ++y)
                grid.set_cell(x, y, (x - 1) / 2 * 5 + (y - 1) / 6 + 1);
        for (int area = 1; area <= 70; ++area)
            if (const auto cell = first_cell(area))
                grid.set_cell(cell->x, cell->y, quenlo::connection_point_base + area);
        for (int area = 1; area < 79; ++area)
            connections += std::to_string(area) + "," + std::to_string(area + 1) + "\n";
        picture.fill(Qt::darkYellow);
    }
    std::optional<quenlo::MapCell> first_cell(int area) const {
        for (int x = 1; x <= quenlo::MapGrid::columns; ++x)
            for (int y = 1; y <= quenlo::MapGrid::rows; ++y)
                if (grid.cell(x, y) == area) return quenlo::MapCell{x, y};
        return std::nullopt;
    }
    quenlo::MapGrid grid;
    std::string connections;
    QImage picture{560, 600, QImage::Format_RGB32};
};

void BM_DragStepOnAFullMap(benchmark::State& state) {
    FullMap map;
    QImage canvas(560, 600, QImage::Format_RGB32);
    quenlo::PaintStroke stroke({1, 1}, 3);
    int x = 1;
    for (auto _ : state) {
        x = x % quenlo::MapGrid::columns + 1;
        stroke.drag_to(map.grid, {x, 1});
        const auto drawings = quenlo::draw_connections(map.connections, map.grid);
        QPainter painter(&canvas);
        quenlo::mapeditor::paint_map(painter, map.picture, map.grid, drawings);
    }
}
BENCHMARK(BM_DragStepOnAFullMap)->Unit(benchmark::kMillisecond);

void BM_UndoStepOfAStrokeOnAFullMap(benchmark::State& state) {
    FullMap map;
    quenlo::MapEditHistory history({map.grid, map.connections});
    int value = 1;
    for (auto _ : state) {
        value = value % 79 + 1;
        map.grid.set_cell(1, 1, value);
        history.record({map.grid, map.connections}, quenlo::MapChange::cells);
    }
}
BENCHMARK(BM_UndoStepOfAStrokeOnAFullMap)->Unit(benchmark::kMicrosecond);

void BM_ConnectionLookupOnAFullMap(benchmark::State& state) {
    FullMap map;
    for (auto _ : state)
        benchmark::DoNotOptimize(quenlo::draw_connections(map.connections, map.grid));
}
BENCHMARK(BM_ConnectionLookupOnAFullMap)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
