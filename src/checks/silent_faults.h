#pragma once
// The faults that build a game which cannot be played as meant: rooms nobody
// reaches, objects nothing brings into play, exits that lead nowhere, finds
// that can never be found, loads that can never be carried, verbs no menu
// offers, messages and variables missing or never read. Each becomes a
// warning of the build; none fails it.

namespace quenlo {

class Build;

// Runs once the rooms, the objects and the script files are read.
void warn_about_silent_faults(Build& build);

}  // namespace quenlo
