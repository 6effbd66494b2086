#pragma once
// Drawing a map as the editor shows it: the picture, the dotted grid, the
// connections and the framed, outlined cell labels, in that order.

#include <QString>
#include <vector>

#include "project/map_connections.h"
#include "foundation/map_files.h"

class QImage;
class QPainter;

namespace quenlo::mapeditor {

// The label of an area: its number, with a leading blank below 10 so every
// label is two characters wide.
QString area_label(int area);

// Draws the whole 560 x 600 map with `painter`, whose origin is the
// picture's top-left pixel.
void paint_map(QPainter& painter, const QImage& picture, const MapGrid& grid,
               const std::vector<ConnectionDrawing>& connections);

}  // namespace quenlo::mapeditor
