#pragma once
// The four free texts shown as whole pages (help, success, failure and the
// introduction), each put into a single-quoted string of the page.

#include <string>
#include <string_view>

namespace quenlo {

class Build;

// Reads the file, logs "%Merge file: <path>" and puts the converted text at
// every occurrence of `placeholder`. In the success and failure texts "{" and
// "}" enclose an expression shown by its value; in the introduction "§" starts
// a new screen and long text is cut into string pieces. Any failure becomes
// "Unable to merge".
void merge_story_text(Build& build, std::string_view placeholder, std::string_view file_name);

// Help, success, failure and introduction, polling the stop flag after each.
void merge_story_texts(Build& build);

// The introduction's cut: pieces of at most 1024 characters joined by
// "'+" CR LF "'". A piece never ends on a backslash, which would escape the
// quote that closes it.
std::string cut_into_pieces(std::string_view text);

}  // namespace quenlo
