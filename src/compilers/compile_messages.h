#pragma once
// "messages.qnr": the numbered fixed texts of the game (title, menu labels,
// replies, the output file name), compiled into the runtime's message array
// and the table `lstmsg`.

namespace quenlo {

class Build;

// Fills `lstmsg` (row n is message n, 100 rows) and "___MESSAGES___"; fails
// with "syntax error: " + the header line for a header that is no number.
void compile_messages(Build& build);

}  // namespace quenlo
