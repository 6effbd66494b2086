#pragma once
// The real dialogs: Qt message boxes, the text-input dialog and the folder
// chooser, all modal over the main window.

#include <QPointer>
#include <QWidget>

#include "app/modal_runner.h"
#include "project/dialogs.h"

namespace quenlo::app {

class QtDialogs : public Dialogs, public ModalRunner {
public:
    // The window the dialogs are modal over; set once it exists.
    void set_parent(QWidget* parent) { parent_ = parent; }

    void show_message(MessageKind kind, std::string_view text) override;
    bool ask_yes_no(MessageKind kind, std::string_view text) override;
    std::optional<std::string> input_text(std::string_view caption, std::string_view prompt,
                                          std::string_view note) override;
    std::optional<std::string> choose_folder(std::string_view start) override;
    int exec_modal(QDialog& dialog) override;

private:
    QWidget* owner() const;
    QPointer<QWidget> parent_;
};

}  // namespace quenlo::app
