#include "explore/walkthrough.h"

#include "foundation/text.h"

namespace quenlo {

namespace {

std::string folded(std::string_view text) {
    std::string out;
    bool blank = false;
    for (char c : trim(text)) {
        const bool space = c == ' ' || c == '\t' || c == '\n' || c == '\r';
        if (space) {
            blank = true;
            continue;
        }
        if (blank && !out.empty()) out.push_back(' ');
        blank = false;
        out.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    }
    return out;
}

std::vector<std::string> action_parts(const std::string& action) {
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        const std::size_t bar = action.find('|', start);
        parts.push_back(action.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) return parts;
        start = bar + 1;
    }
}

// Whether the walkthrough's words name `choice`: each part as shown, or as
// the runtime names it (identifiers, the word's short description).
bool names(const std::vector<std::string>& words, const Choice& choice) {
    if (words.size() != choice.words.size()) return false;
    const std::vector<std::string> parts = action_parts(choice.action);
    for (std::size_t k = 0; k < words.size(); ++k) {
        const std::string want = folded(words[k]);
        if (want == folded(choice.words[k])) continue;
        if (k < parts.size() && want == folded(parts[k])) continue;
        if (k == 0 && !choice.short_text.empty() && want == folded(choice.short_text)) continue;
        return false;
    }
    return true;
}

std::string offered(const std::vector<Choice>& choices) {
    std::string text;
    for (const Choice& choice : choices) {
        if (!text.empty()) text += "; ";
        if (text.size() > 1500) return text + "...";
        text += choice_text(choice);
    }
    return text.empty() ? "nothing" : text;
}

std::string shown(const std::vector<std::string>& texts) {
    std::string text;
    for (const std::string& t : texts) {
        if (!text.empty()) text += " | ";
        text += t;
    }
    if (text.size() > 1500) text = text.substr(0, 1500) + "...";
    return text;
}

}  // namespace

std::vector<WalkLine> read_walkthrough(const std::string& text) {
    std::vector<WalkLine> lines;
    std::size_t number = 0;
    for_each_line(text, [&](std::string_view raw) {
        ++number;
        std::string line = trim(raw);
        if (line.empty() || line.front() == '#') return;
        WalkLine out;
        out.number = number;
        if (line.front() == '=') {
            out.text = trim(line.substr(1));
            out.kind = out.text == "WIN"    ? WalkLine::Kind::win
                       : out.text == "LOSE" ? WalkLine::Kind::lose
                                            : WalkLine::Kind::text;
            lines.push_back(std::move(out));
            return;
        }
        const std::size_t comment = line.find(" #");
        if (comment != std::string::npos) line = trim(line.substr(0, comment));
        for (std::size_t start = 0;;) {
            const std::size_t mark = line.find('>', start);
            out.words.push_back(trim(line.substr(start, mark == std::string::npos ? std::string::npos : mark - start)));
            if (mark == std::string::npos) break;
            start = mark + 1;
        }
        lines.push_back(std::move(out));
    });
    return lines;
}

Replay replay(GameAgent& agent, const std::string& name, const std::vector<WalkLine>& lines,
              const std::function<std::vector<std::string>(const PageError&)>& place) {
    Replay result;
    const std::string continue_word = folded(agent.continue_label());
    Outcome now = agent.start();
    std::vector<std::string> texts = now.texts;
    std::size_t dialogs = 0;  // screens a line may still press continue on
    const auto fail = [&](const WalkLine& line, const std::string& text) {
        result.errors.push_back(name + ":" + std::to_string(line.number) + ": error: " + text);
        return result;
    };
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const WalkLine& line = lines[k];
        if (line.kind == WalkLine::Kind::text) {
            bool found = false;
            for (const std::string& t : texts) found = found || folded(t).find(folded(line.text)) != std::string::npos;
            if (!found) return fail(line, "\"" + line.text + "\" was not shown; the page showed: " + shown(texts));
            continue;
        }
        if (line.kind == WalkLine::Kind::win || line.kind == WalkLine::Kind::lose) {
            const bool win = line.kind == WalkLine::Kind::win;
            if (k + 1 != lines.size()) return fail(line, std::string("= ") + (win ? "WIN" : "LOSE") + " must be the last line");
            if (win ? !now.won() : !now.lost())
                return fail(line, std::string("the game did not end with ") + (win ? "a win" : "a loss") +
                                      (now.won() ? "; it was won" : now.lost() ? "; it was lost" : "; it goes on") +
                                      ", the page offers: " + offered(now.choices));
            continue;
        }
        if (dialogs > 0 && line.words.size() == 1 && folded(line.words[0]) == continue_word) {
            --dialogs;  // the dialog's continue, pressed already
            continue;
        }
        const Choice* chosen = nullptr;
        for (const Choice& choice : now.choices)
            if (names(line.words, choice)) {
                chosen = &choice;
                break;
            }
        std::string step;
        for (const std::string& w : line.words) step += (step.empty() ? "" : " > ") + w;
        if (!chosen)
            return fail(line, "the choice \"" + step + "\" is not offered; the page offers: " + offered(now.choices));
        const std::string action = chosen->action;
        Outcome next = std::move(agent.apply(now.record, {action}, true).front());
        ++result.choices;
        if (!next.errors.empty()) {
            fail(line, "\"" + step + "\" causes a script error: " + next.errors.front().message);
            for (std::string& extra : place(next.errors.front())) result.errors.push_back(std::move(extra));
            return result;
        }
        dialogs = next.texts.size() > 0 ? next.texts.size() - 1 : 0;
        texts = next.texts;
        now = std::move(next);
    }
    result.held = true;
    return result;
}

}  // namespace quenlo
