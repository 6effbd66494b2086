#include "merges/text_expressions.h"

namespace quenlo {

namespace {

bool is_name_start(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '$';
}

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

// A recursive-descent reader of the expression grammar:
//   expression := term (operator term)*       operator := + - * / %
//   term       := number | "-" term | "(" expression ")" | name postfix*
//   postfix    := "." name | "[" expression "]" | "(" [expression ("," expression)*] ")"
class ExpressionReader {
public:
    explicit ExpressionReader(std::string_view text) : text_(text) {}

    bool read_whole() { return expression() && (skip_blanks(), pos_ == text_.size()); }

private:
    bool expression() {
        if (!term()) return false;
        for (;;) {
            skip_blanks();
            if (pos_ == text_.size() || std::string_view("+-*/%").find(text_[pos_]) ==
                                            std::string_view::npos)
                return true;
            ++pos_;
            if (!term()) return false;
        }
    }

    bool term() {
        if (++depth_ > max_depth) return false;
        skip_blanks();
        bool ok = false;
        if (pos_ == text_.size()) {
            ok = false;
        } else if (is_digit(text_[pos_])) {
            ok = number();
        } else if (accept('-')) {
            ok = term();
        } else if (accept('(')) {
            ok = expression() && accept(')');
        } else if (name()) {
            ok = postfixes();
        }
        --depth_;
        return ok;
    }

    bool postfixes() {
        for (;;) {
            skip_blanks();
            if (accept('.')) {
                skip_blanks();
                if (!name()) return false;
            } else if (accept('[')) {
                if (!expression() || !accept(']')) return false;
            } else if (accept('(')) {
                if (accept(')')) continue;
                do {
                    if (!expression()) return false;
                } while (accept(','));
                if (!accept(')')) return false;
            } else {
                return true;
            }
        }
    }

    bool number() {
        while (pos_ < text_.size() && is_digit(text_[pos_])) ++pos_;
        if (pos_ < text_.size() && text_[pos_] == '.') {
            ++pos_;
            if (pos_ == text_.size() || !is_digit(text_[pos_])) return false;
            while (pos_ < text_.size() && is_digit(text_[pos_])) ++pos_;
        }
        // "1a" or "1.5.2" is no number.
        return pos_ == text_.size() || !(is_name_start(text_[pos_]) || text_[pos_] == '.');
    }

    bool name() {
        if (pos_ == text_.size() || !is_name_start(text_[pos_])) return false;
        while (pos_ < text_.size() && (is_name_start(text_[pos_]) || is_digit(text_[pos_])))
            ++pos_;
        return true;
    }

    bool accept(char c) {
        skip_blanks();
        if (pos_ == text_.size() || text_[pos_] != c) return false;
        ++pos_;
        return true;
    }

    void skip_blanks() {
        while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
    }

    static constexpr int max_depth = 64;  // nesting, against a stack overflow
    std::string_view text_;
    std::size_t pos_ = 0;
    int depth_ = 0;
};

bool is_plain_expression(std::string_view text) {
    return ExpressionReader(text).read_whole();
}

}  // namespace

std::string join_expressions(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t open = text.find('{', pos);
        if (open == std::string_view::npos) break;
        const std::size_t close = text.find_first_of("{}", open + 1);
        out.append(text.substr(pos, open - pos));
        if (close != std::string_view::npos && text[close] == '}' &&
            is_plain_expression(text.substr(open + 1, close - open - 1))) {
            out += "'+";
            out.append(text.substr(open + 1, close - open - 1));
            out += "+'";
            pos = close + 1;
        } else {
            out += '{';
            pos = open + 1;
        }
    }
    out.append(text.substr(pos));
    return out;
}

}  // namespace quenlo
