#include "mapeditor/map_painting.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QStaticText>
#include <map>

#include "project/map_editing.h"

namespace quenlo::mapeditor {

namespace {

const QColor grid_green(0, 128, 0);
const QColor line_blue(166, 202, 240);
const QColor red(255, 0, 0);
const QColor white(255, 255, 255);

QPoint centre_of(MapCell cell) {
    return {map_cell_pixels * cell.x - map_cell_pixels / 2,
            map_cell_pixels * cell.y - map_cell_pixels / 2};
}

// The outline of the rectangle from (left, top) to (right, bottom), the
// right and bottom edges excluded.
void outline(QPainter& painter, const QColor& colour, int left, int top, int right, int bottom) {
    painter.setPen(QPen(colour, 1, Qt::SolidLine));
    painter.drawRect(left, top, right - left - 1, bottom - top - 1);
}

void paint_grid(QPainter& painter) {
    painter.setPen(QPen(grid_green, 1, Qt::DotLine));
    const int width = MapGrid::columns * map_cell_pixels;
    const int height = MapGrid::rows * map_cell_pixels;
    for (int x = map_cell_pixels; x < width; x += map_cell_pixels)
        painter.drawLine(x, 0, x, height);
    for (int y = map_cell_pixels; y < height; y += map_cell_pixels)
        painter.drawLine(0, y, width, y);
}

void paint_connections(QPainter& painter, const std::vector<ConnectionDrawing>& connections) {
    for (const ConnectionDrawing& connection : connections) {
        if (connection.state != ConnectionDrawing::State::drawn) continue;
        const QPoint from = centre_of(connection.from);
        const QPoint to = centre_of(connection.to);
        // A band wide enough to follow across a busy picture, the red dots
        // along its middle.
        painter.setPen(QPen(line_blue, 3, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(from, to);
        painter.setPen(QPen(red, 1, Qt::DotLine));
        painter.drawLine(from, to);
    }
}

// The label in white around its place and in red on it, so that it stands
// out on any picture.
void paint_label(QPainter& painter, int left, int top, const QStaticText& label) {
    painter.setPen(white);
    painter.drawStaticText(left + 2, top + 2, label);
    painter.drawStaticText(left, top, label);
    painter.drawStaticText(left + 2, top, label);
    painter.drawStaticText(left, top + 2, label);
    painter.setPen(red);
    painter.drawStaticText(left + 1, top + 1, label);
}

void paint_cells(QPainter& painter, const MapGrid& grid) {
    // "Courier New" at 11 points, as on a 96 dpi screen, so the labels fit
    // their cells whatever the screen.
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(15);
    painter.setFont(font);
    painter.setBrush(Qt::NoBrush);
    // Each label is laid out once and drawn five times in every cell that
    // shows it; a full map has 840 of them.
    std::map<int, QStaticText> labels;
    const auto label_of = [&](int area) -> const QStaticText& {
        auto [at, added] = labels.try_emplace(area, area_label(area));
        if (added) {
            at->second.setTextFormat(Qt::PlainText);
            at->second.prepare(QTransform(), font);
        }
        return at->second;
    };
    for (int x = 1; x <= MapGrid::columns; ++x) {
        for (int y = 1; y <= MapGrid::rows; ++y) {
            int value = grid.cell(x, y);
            if (value == 0) continue;
            const int left = map_cell_pixels * (x - 1);
            const int top = map_cell_pixels * (y - 1);
            if (value >= connection_point_base) {
                value -= connection_point_base;
                outline(painter, red, left, top, left + 20, top + 20);
                outline(painter, red, left + 2, top + 2, left + 18, top + 18);
                outline(painter, white, left + 1, top + 1, left + 19, top + 19);
            }
            paint_label(painter, left, top, label_of(value));
        }
    }
}

}  // namespace

QString area_label(int area) {
    return (area < 10 ? QStringLiteral(" ") : QString()) + QString::number(area);
}

void paint_map(QPainter& painter, const QImage& picture, const MapGrid& grid,
               const std::vector<ConnectionDrawing>& connections) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.drawImage(0, 0, picture);
    paint_grid(painter);
    paint_connections(painter, connections);
    paint_cells(painter, grid);
    painter.restore();
}

}  // namespace quenlo::mapeditor
