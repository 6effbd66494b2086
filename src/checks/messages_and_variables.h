#pragma once
// The messages and variables that the game cannot use as they are meant: a
// fixed message that is missing or empty, and a variable or a message of the
// author's own (above 50) that nothing ever reads.

namespace quenlo {

class Build;

// Runs once the script files are read.
void warn_about_messages_and_variables(Build& build);

}  // namespace quenlo
