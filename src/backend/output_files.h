#pragma once
// The last phase of a build: name the pages after message 50 and write them
// into the project folder.

namespace quenlo {

class Build;

// Writes the debug page and, in a release build, the release page; fails with
// "Invalid file name: " + name when message 50 is not a definition name.
void write_output_files(Build& build);

}  // namespace quenlo
