#pragma once
// Runs a window's own modal dialogs (the about box, the map editor). The
// application shows them; a test looks at them and closes them at once.

class QDialog;

namespace quenlo::app {

class ModalRunner {
public:
    virtual ~ModalRunner() = default;
    // Shows the dialog modally and returns its result code.
    virtual int exec_modal(QDialog& dialog) = 0;
};

}  // namespace quenlo::app
