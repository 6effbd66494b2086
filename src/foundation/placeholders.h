#pragma once
// Putting text into the page: the logged replacement of a placeholder, and the
// merging of a whole file (a picture held as a data text) at a placeholder.

#include <string>
#include <string_view>

namespace quenlo {

class BuildLog;

// Replaces every occurrence of `placeholder` in `page` by `value`, then logs
// "Replaced [ <placeholder> ]" whether or not one was found.
void replace_placeholder(std::string& page, std::string_view placeholder, std::string_view value,
                         BuildLog& log);

// Keeps the characters whose code is 32 or above and, after every 1024 of
// them, closes the JavaScript string, continues it on a new line and marks that
// line verbatim for the release encoding. The result is trimmed.
std::string flatten(std::string_view text);

// Reads the file, logs "%Merge file: <path>", and puts the flattened text at
// every occurrence of `placeholder`; any failure becomes "Unable to merge".
void merge_file(std::string& page, std::string_view placeholder, const std::string& path,
                BuildLog& log);

}  // namespace quenlo
