#pragma once
// The application-wide settings of the desktop program: its name, a light
// visual style and its icon.

namespace quenlo::app {

// Call once, after the QApplication exists and before any window.
void set_up_application();

}  // namespace quenlo::app
