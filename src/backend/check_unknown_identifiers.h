#pragma once
// Catching misspelt names before any file is written. Every name of the
// authoring language and of the runtime carries an underscore, so once every
// known name is deleted from a copy of the page, a line that still holds an
// underscore names something nobody declared.

namespace quenlo {

class Build;

// Reads the page (never changes it); fails with "Unknown objects/rooms/variables: "
// + CR LF + every offending line as it stands in the page, each + CR LF, and
// each placed at the line of the project file it came from where that is known.
// Does nothing but log when the check is switched off.
void check_unknown_identifiers(Build& build);

}  // namespace quenlo
