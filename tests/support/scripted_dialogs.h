#pragma once
// Test doubles for the project commands' dialogs and window: every question is
// answered from a script (a cancel when the script has run out), every message
// and every change of title or menus is recorded.

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "project/dialogs.h"
#include "project/project_host.h"

namespace quenlo::test {

struct ShownMessage {
    MessageKind kind;
    std::string text;
    bool operator==(const ShownMessage&) const = default;
};

class ScriptedDialogs : public Dialogs {
public:
    void show_message(MessageKind kind, std::string_view text) override {
        messages.push_back({kind, std::string(text)});
        if (on_message) on_message(messages.back());
    }
    bool ask_yes_no(MessageKind kind, std::string_view text) override {
        questions.push_back({kind, std::string(text)});
        if (yes_no_answers.empty()) return false;
        const bool answer = yes_no_answers.front();
        yes_no_answers.pop_front();
        return answer;
    }
    std::optional<std::string> input_text(std::string_view caption, std::string_view prompt,
                                          std::string_view note) override {
        input_requests.push_back(std::string(caption) + " | " + std::string(prompt));
        input_notes.emplace_back(note);
        return next(input_answers);
    }
    std::optional<std::string> choose_folder(std::string_view start) override {
        folder_requests.emplace_back(start);
        return next(folder_answers);
    }

    std::deque<std::optional<std::string>> input_answers;
    std::deque<std::optional<std::string>> folder_answers;
    std::deque<bool> yes_no_answers;

    std::vector<ShownMessage> messages;
    std::vector<ShownMessage> questions;
    std::vector<std::string> input_requests;  // caption + " | " + prompt
    std::vector<std::string> input_notes;
    std::vector<std::string> folder_requests;  // the folder each chooser opened on
    std::function<void(const ShownMessage&)> on_message;

private:
    static std::optional<std::string> next(std::deque<std::optional<std::string>>& answers) {
        if (answers.empty()) return std::nullopt;
        std::optional<std::string> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class RecordingView : public ProjectView {
public:
    void set_title(std::string_view text) override { title = text; }
    void set_project_menus(bool project_set) override { menu_changes.push_back(project_set); }

    bool project_menus() const { return !menu_changes.empty() && menu_changes.back(); }

    std::string title;
    std::vector<bool> menu_changes;
};

}  // namespace quenlo::test
