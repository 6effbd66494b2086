#pragma once
// The picture shown under map N's grid: "map" + N + ".gif" in the project
// folder, a GIF of exactly 560 x 600 pixels, or when there is none the
// picture the game shows, carried in "mapimage" + N + ".qn".

#include <QImage>
#include <string>

namespace quenlo::mapeditor {

// The decoded picture. Fails with "File map1.gif not found!" when neither
// file holds a picture, "Invalid map1.gif image file! " + the decoder's error
// (also for a picture in another format), or "Invalid map1.gif image size
// (not 560x600)!"; the last two name "mapimage1.qn" when the picture came
// from there.
QImage read_map_picture(const std::string& folder, int map_number);

}  // namespace quenlo::mapeditor
