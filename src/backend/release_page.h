#pragma once
// The release page made from the finished debug page: the debug flag switched
// off, then the texts encoded and the runtime's names shortened, in one pass
// over the lines, without a whole copy of the page in between.

namespace quenlo {

class Build;

// Reads the debug page, logs the flag's replacement, and stores the release
// page. Polls the stop flag as the two transformations do.
void make_release_page(Build& build);

}  // namespace quenlo
