#pragma once
// Putting the pictures into the page: the cover, fail and success pictures
// always, the three map pictures only when the map is on.

namespace quenlo {

class Build;

// Fails with "Unable to merge" when a picture file cannot be read.
void merge_images(Build& build);

}  // namespace quenlo
