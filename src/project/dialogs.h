#pragma once
// The modal questions and messages of the project commands. The window answers
// them with real dialogs, the tests with scripted answers, so no operation
// ever blocks on a window it cannot see.

#include <optional>
#include <string>
#include <string_view>

namespace quenlo {

enum class MessageKind { error, warning, confirmation };

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A message box with the icon of `kind` and a single "OK" button.
    virtual void show_message(MessageKind kind, std::string_view text) = 0;
    // A message box with "Yes" and "No"; true for "Yes".
    virtual bool ask_yes_no(MessageKind kind, std::string_view text) = 0;
    // The text-input dialog with an empty field and, under the prompt, `note`
    // (when not empty); nothing when cancelled.
    virtual std::optional<std::string> input_text(std::string_view caption, std::string_view prompt,
                                                  std::string_view note) = 0;
    // The folder chooser, opened on `start`; the chosen folder without a
    // trailing separator, or nothing when cancelled.
    virtual std::optional<std::string> choose_folder(std::string_view start) = 0;
};

}  // namespace quenlo
