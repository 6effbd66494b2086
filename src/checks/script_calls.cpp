#include "checks/script_calls.h"

#include "checks/script_lexer.h"

namespace quenlo {

namespace {

bool is_name_byte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '$' || static_cast<unsigned char>(c) >= 0x80;
}

// Words that a "(" follows without calling them.
bool is_keyword(std::string_view word) {
    for (const std::string_view keyword : {"if", "for", "while", "switch", "catch", "function",
                                           "return", "typeof", "with", "in", "of", "await"})
        if (word == keyword) return true;
    return false;
}

// "_rCantina_": how every room, object and variable name is written.
bool is_game_name(std::string_view text) {
    if (text.size() < 3 || text.front() != '_' || text.back() != '_') return false;
    for (const char c : text)
        if (!is_name_byte(c)) return false;
    return true;
}

bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// One parenthesis, bracket or brace still open; a call's parenthesis gathers
// its arguments.
struct Frame {
    char opener = 0;
    std::size_t line = 0, column = 0;  // of the opener
    bool call = false;
    ScriptCall made;
    std::size_t tokens = 0;  // of the argument being read
    ScriptArgument argument;
};

class UsesReader {
public:
    explicit UsesReader(std::string_view file) { uses_.file = file; }

    void read(std::string_view script) {
        ScriptLexer lexer;
        for (std::size_t i = 0; i < script.size(); ++i) {
            const char c = script[i];
            const ScriptChar what = lexer.step(c, i + 1 < script.size() ? script[i + 1] : '\0');
            if (what.part == ScriptPart::code) {
                code(c, what.edge);
            } else {
                end_word();
                other_part(c, what);
            }
            advance(c);
        }
        end_word();
    }

    ScriptUses take() {
        if (!frames_.empty())
            note_unmatched(frames_.front().opener, frames_.front().line, frames_.front().column);
        return std::move(uses_);
    }

private:
    void code(char c, ScriptEdge edge) {
        if (is_name_byte(c)) {
            if (word_.empty()) {
                word_line_ = line_;
                word_column_ = column_;
            }
            word_ += c;
            return;
        }
        end_word();
        if (is_blank(c)) return;
        switch (edge) {
            case ScriptEdge::block_open:
            case ScriptEdge::object_open:
            case ScriptEdge::substitution_open:
                open('{', false);
                return;
            case ScriptEdge::block_close:
            case ScriptEdge::object_close:
            case ScriptEdge::substitution_close:
                close('}');
                return;
            default:
                break;
        }
        if (c == '(') {
            open('(', !called_.empty() && !is_keyword(called_));
        } else if (c == '[') {
            open('[', false);
        } else if (c == ')' || c == ']') {
            close(c);
        } else if (c == ',' && !frames_.empty() && frames_.back().call) {
            finish_argument(frames_.back());
        } else {
            token(ScriptArgument::Kind::other, {});
        }
        called_.clear();
    }

    void other_part(char c, ScriptChar what) {
        called_.clear();
        if (what.part == ScriptPart::text) {
            if (what.edge == ScriptEdge::opens) {
                text_.clear();
                text_line_ = line_;
                text_column_ = column_ + 1;
            } else if (what.edge == ScriptEdge::closes) {
                if (is_game_name(text_))
                    uses_.game_names.push_back({text_, text_line_, text_column_});
                token(ScriptArgument::Kind::text, text_);
            } else {
                text_ += c;
            }
        } else if (what.edge == ScriptEdge::opens) {
            token(ScriptArgument::Kind::other, {});
        }
    }

    void end_word() {
        if (word_.empty()) return;
        const bool number = word_.front() >= '0' && word_.front() <= '9';
        if (!number) uses_.names.insert(word_);
        if (is_game_name(word_)) uses_.game_names.push_back({word_, word_line_, word_column_});
        token(number ? ScriptArgument::Kind::number : ScriptArgument::Kind::other, word_);
        called_ = number ? std::string() : word_;
        called_line_ = word_line_;
        called_column_ = word_column_;
        word_.clear();
    }

    void token(ScriptArgument::Kind kind, const std::string& value) {
        if (frames_.empty()) return;
        Frame& frame = frames_.back();
        if (++frame.tokens == 1) frame.argument = {kind, value};
    }

    void open(char opener, bool call) {
        token(ScriptArgument::Kind::other, {});  // a nested part is one more token
        Frame frame;
        frame.opener = opener;
        frame.line = line_;
        frame.column = column_;
        frame.call = call;
        if (call) frame.made = {called_, {}, called_line_, called_column_};
        frames_.push_back(std::move(frame));
        called_.clear();
    }

    void close(char closer) {
        called_.clear();
        static constexpr std::string_view pairs = "()[]{}";
        if (frames_.empty() || pairs[pairs.find(frames_.back().opener) + 1] != closer)
            note_unmatched(closer, line_, column_);
        if (frames_.empty()) return;
        Frame frame = std::move(frames_.back());
        frames_.pop_back();
        if (!frame.call) return;
        if (frame.tokens > 0 || !frame.made.arguments.empty()) finish_argument(frame);
        uses_.calls.push_back(std::move(frame.made));
    }

    void note_unmatched(char bracket, std::size_t line, std::size_t column) {
        if (uses_.unmatched.bracket == 0) uses_.unmatched = {bracket, line, column};
    }

    static void finish_argument(Frame& frame) {
        if (frame.tokens != 1) frame.argument = {};
        frame.made.arguments.push_back(std::move(frame.argument));
        frame.argument = {};
        frame.tokens = 0;
    }

    // Lines and columns as the author counts them: a column per character,
    // a line per CR LF, CR or LF.
    void advance(char c) {
        const bool lf_of_crlf = c == '\n' && last_cr_;
        last_cr_ = c == '\r';
        if (c == '\r' || (c == '\n' && !lf_of_crlf)) {
            ++line_;
            column_ = 1;
        } else if (!lf_of_crlf && (static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++column_;
        }
    }

    ScriptUses uses_;
    std::vector<Frame> frames_;
    std::string word_;
    std::string text_;
    std::string called_;  // the name just read, which a "(" makes a call
    std::size_t word_line_ = 0, word_column_ = 0;
    std::size_t text_line_ = 0, text_column_ = 0;
    std::size_t called_line_ = 0, called_column_ = 0;
    std::size_t line_ = 1, column_ = 1;
    bool last_cr_ = false;
};

}  // namespace

void add_text_names(std::string_view text, std::unordered_set<std::string>& names) {
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i < text.size() && is_name_byte(text[i])) continue;
        if (i > start && !(text[start] >= '0' && text[start] <= '9'))
            names.emplace(text.substr(start, i - start));
        start = i + 1;
    }
}

ScriptUses scan_script_uses(std::string_view script, std::string_view file) {
    UsesReader reader(file);
    reader.read(script);
    return reader.take();
}

}  // namespace quenlo
