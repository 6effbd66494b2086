#pragma once
// The picture shown under map N's grid: "map" + N + ".gif" in the project
// folder, a GIF of exactly 560 x 600 pixels.

#include <QImage>
#include <string>

namespace quenlo::mapeditor {

// The decoded picture. Fails with "File map1.gif not found!", "Invalid
// map1.gif image file! " + the decoder's error (also for a picture in another
// format), or "Invalid map1.gif image size (not 560x600)!".
QImage read_map_picture(const std::string& folder, int map_number);

}  // namespace quenlo::mapeditor
