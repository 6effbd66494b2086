#pragma once
// Putting the pictures into the page: the cover, fail and success pictures
// always, the three map pictures only when the map is on.

#include <cstddef>

namespace quenlo {

class Build;

// About how many bytes the pictures will add to the page, so that the page can
// be made with room for them before they are merged. A missing file counts
// nothing.
std::size_t picture_bytes(const Build& build);

// Fails with "Unable to merge" when a picture file cannot be read.
void merge_images(Build& build);

}  // namespace quenlo
