#pragma once
// The second release transformation: the runtime's names are shortened to
// "_fu" + their position in the renaming list, the lines are joined into long
// lines, and runs of blanks shrink. The result is the release page.

#include <cstddef>
#include <string>
#include <string_view>

#include "backend/ordered_replacement.h"

namespace quenlo {

class Build;

// Statements ending in "{", ";" or "," are run together into lines of just
// over this many characters.
inline constexpr std::size_t joined_line_length = 1024;

// The runs of blanks of `text` shrunk as replacing every five blanks by one,
// then every four, three and two, each in one left-to-right pass, would: a run
// of up to 38 blanks ends as one, a run of 39 as two.
std::string shrink_blanks(std::string_view text);

// The runtime's names in `text` shortened as in the release page, so that a
// script added to that page later calls the same functions.
std::string shorten_runtime_names(std::string_view text);

// Works on the release text that the encoding left; stores the release page.
// Polls the stop flag once per line of the joining.
void rename_runtime_identifiers(Build& build);

// The same transformation taking the release text a line at a time, as the
// encoding makes it, so that the text need not be held whole in between.
class ReleaseLineJoiner {
public:
    // `expected_size`: about how long the page will be, to make room at once.
    ReleaseLineJoiner(Build& build, std::size_t expected_size);
    void add(std::string_view line);
    // Ends the last output line and stores the release page.
    void finish();

private:
    void emit(std::string_view line);

    Build& build_;
    OrderedReplacement shortening_;
    const bool names_hold_underscore_;
    std::string page_;
    std::string joined_;
    std::size_t index_ = 0;
    bool first_output_ = true;
};

}  // namespace quenlo
