#include "checks/script_lexer.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace quenlo {

namespace {

// Names, keywords and numbers; every byte of a non-ASCII character counts.
bool is_word_byte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '$' || c == '#' || static_cast<unsigned char>(c) >= 0x80;
}

bool is_line_break(char c) {
    return c == '\n' || c == '\r';
}

bool is_blank(char c) {
    return c == ' ' || c == '\t' || is_line_break(c) || c == '\f' || c == '\v';
}

// Keywords after which a statement may begin: a "{" there opens a block.
constexpr std::string_view statement_keywords[] = {"else", "do", "try", "finally", "catch"};
// Keywords after which an operand is expected: a "{" there opens an object
// literal (or a destructuring pattern), a "/" a regular expression.
constexpr std::string_view expression_keywords[] = {
    "return", "typeof", "instanceof", "in",    "of",  "new", "delete", "void",
    "throw",  "case",   "yield",      "await", "var", "let", "const"};

template <std::size_t N>
bool is_one_of(const std::string_view (&words)[N], std::string_view word) {
    return std::find(std::begin(words), std::end(words), word) != std::end(words);
}

}  // namespace

ScriptLexer::ScriptLexer(ScriptDialect dialect) : dialect_(dialect) {
    frames_.reserve(32);
}

ScriptChar ScriptLexer::step(char c, char next) {
    switch (part_) {
        case ScriptPart::code:
            return code(c, next);
        case ScriptPart::comment:
            if (opener_second_) {
                opener_second_ = false;
                previous_ = '\0';  // the "*" of "/*" does not close it with a "/" after it
                return {ScriptPart::comment, ScriptEdge::none};
            }
            if (line_comment_ ? is_line_break(c) : (c == '/' && previous_ == '*')) {
                part_ = ScriptPart::code;
                previous_ = ' ';  // a comment parts what is on either side, like a blank
                return line_comment_ ? ScriptChar{ScriptPart::code, ScriptEdge::none}
                                     : ScriptChar{ScriptPart::comment, ScriptEdge::closes};
            }
            previous_ = c;
            return {ScriptPart::comment, ScriptEdge::none};
        case ScriptPart::text:
            if (c != '"') return {ScriptPart::text, ScriptEdge::none};
            part_ = ScriptPart::code;
            context_ = Context::value;
            previous_ = c;
            return {ScriptPart::text, ScriptEdge::closes};
        case ScriptPart::string:
            if (escaped_) {
                escaped_ = c == '\r' && next == '\n';  // a line continued after CR LF
                return {ScriptPart::string, ScriptEdge::none};
            }
            if (c == '\\') {
                escaped_ = true;
                return {ScriptPart::string, ScriptEdge::none};
            }
            if (c == '\'') {
                part_ = ScriptPart::code;
                context_ = Context::value;
                previous_ = c;
                return {ScriptPart::string, ScriptEdge::closes};
            }
            if (dialect_ == ScriptDialect::author && is_line_break(c)) {
                // Unterminated: it ends with its line, so that the lines after
                // it are read as code again.
                part_ = ScriptPart::code;
                context_ = Context::value;
                previous_ = c;
                return {ScriptPart::code, ScriptEdge::none};
            }
            return {ScriptPart::string, ScriptEdge::none};
        case ScriptPart::template_text:
            return in_template(c);
        case ScriptPart::regex:
            return in_regex(c);
    }
    return {part_, ScriptEdge::none};
}

ScriptChar ScriptLexer::code(char c, char next) {
    if (dialect_ == ScriptDialect::page) return page_code(c);
    if (is_word_byte(c)) {
        if (word_length_ < word_capacity) word_[word_length_] = c;
        ++word_length_;
        previous_ = c;
        return {ScriptPart::code, ScriptEdge::none};
    }
    if (word_length_ > 0) end_word();
    const char before = previous_;
    previous_ = c;
    if (is_blank(c)) return {ScriptPart::code, ScriptEdge::none};
    after_dot_ = false;
    switch (c) {
        case '"':
            part_ = ScriptPart::text;
            return {ScriptPart::text, ScriptEdge::opens};
        case '\'':
            part_ = ScriptPart::string;
            escaped_ = false;
            return {ScriptPart::string, ScriptEdge::opens};
        case '`':
            part_ = ScriptPart::template_text;
            escaped_ = false;
            return {ScriptPart::template_text, ScriptEdge::opens};
        case '/':
            if (next == '/' || next == '*') {
                part_ = ScriptPart::comment;
                line_comment_ = next == '/';
                opener_second_ = true;
                return {ScriptPart::comment, ScriptEdge::opens};
            }
            if (context_ == Context::value) break;  // a division
            part_ = ScriptPart::regex;
            escaped_ = false;
            in_class_ = false;
            return {ScriptPart::regex, ScriptEdge::opens};
        case '{':
            return open_brace();
        case '}':
            return close_brace();
        case ')':
        case ']':
            context_ = Context::value;
            return {ScriptPart::code, ScriptEdge::none};
        case ';':
            context_ = Context::statement;
            return {ScriptPart::code, ScriptEdge::none};
        case ':':
            colon();
            return {ScriptPart::code, ScriptEdge::none};
        case '?':
            // Neither "?." nor "??" asks for a ":".
            if (next != '?' && next != '.' && before != '?') ++ternaries();
            break;
        case '.':
            // "?.5" is "? .5" after all, and its ":" is still to come.
            if (before == '?' && next >= '0' && next <= '9') ++ternaries();
            after_dot_ = true;
            break;
        case '>':
            if (before != '=') break;
            context_ = Context::statement;  // "=>": a "{" after it opens the body
            return {ScriptPart::code, ScriptEdge::none};
        case '+':
        case '-':
            if (before != c) break;
            context_ = Context::value;  // "++" and "--" end an operand
            return {ScriptPart::code, ScriptEdge::none};
        default:
            break;
    }
    context_ = Context::expression;
    return {ScriptPart::code, ScriptEdge::none};
}

// Quoted texts and braces only; nothing else of a page's code is tracked.
ScriptChar ScriptLexer::page_code(char c) {
    previous_ = c;
    switch (c) {
        case '\'':
            part_ = ScriptPart::string;
            escaped_ = false;
            return {ScriptPart::string, ScriptEdge::opens};
        case '`':
            part_ = ScriptPart::template_text;
            escaped_ = false;
            return {ScriptPart::template_text, ScriptEdge::opens};
        case '{':
            frames_.push_back({Brace::block, 0});
            return {ScriptPart::code, ScriptEdge::block_open};
        case '}':
            return close_brace();
        default:
            return {ScriptPart::code, ScriptEdge::none};
    }
}

std::size_t ScriptLexer::pass_quiet(std::string_view text, std::size_t from) {
    if (escaped_ || opener_second_) return from;
    std::size_t end = from;
    const auto pass = [&](auto&& stops) {
        while (end < text.size() && !stops(text[end])) ++end;
    };
    switch (part_) {
        case ScriptPart::code:
            if (dialect_ == ScriptDialect::author) return from;  // every byte tells
            pass([](char c) { return c == '\'' || c == '`' || c == '{' || c == '}'; });
            break;
        case ScriptPart::comment:
            if (line_comment_)
                pass(is_line_break);
            else
                pass([](char c) { return c == '*' || c == '/'; });
            break;
        case ScriptPart::text:
            pass([](char c) { return c == '"'; });
            break;
        case ScriptPart::string:
            pass([](char c) { return c == '\'' || c == '\\' || is_line_break(c); });
            break;
        case ScriptPart::template_text:
            pass([](char c) { return c == '`' || c == '\\' || c == '$' || c == '{'; });
            break;
        case ScriptPart::regex:
            pass([](char c) {
                return c == '\\' || c == '[' || c == ']' || c == '/' || is_line_break(c);
            });
            break;
    }
    if (end > from) previous_ = text[end - 1];
    return end;
}

ScriptChar ScriptLexer::in_template(char c) {
    if (escaped_) {
        escaped_ = false;
        previous_ = '\0';  // "\${" opens no substitution
        return {ScriptPart::template_text, ScriptEdge::none};
    }
    if (c == '`') {
        part_ = ScriptPart::code;
        context_ = Context::value;
        previous_ = c;
        return {ScriptPart::template_text, ScriptEdge::closes};
    }
    if (c == '{' && previous_ == '$') {
        frames_.push_back({Brace::substitution, 0});
        part_ = ScriptPart::code;
        context_ = Context::expression;
        previous_ = c;
        return {ScriptPart::code, ScriptEdge::substitution_open};
    }
    escaped_ = c == '\\';
    previous_ = c;
    return {ScriptPart::template_text, ScriptEdge::none};
}

ScriptChar ScriptLexer::in_regex(char c) {
    if (is_line_break(c)) {
        // Unterminated: a regular expression never holds a line break.
        part_ = ScriptPart::code;
        context_ = Context::value;
        previous_ = c;
        return {ScriptPart::code, ScriptEdge::none};
    }
    if (escaped_) {
        escaped_ = false;
    } else if (c == '\\') {
        escaped_ = true;
    } else if (c == '[') {
        in_class_ = true;
    } else if (c == ']') {
        in_class_ = false;
    } else if (c == '/' && !in_class_) {
        part_ = ScriptPart::code;
        context_ = Context::value;
        previous_ = c;
        return {ScriptPart::regex, ScriptEdge::closes};
    }
    return {ScriptPart::regex, ScriptEdge::none};
}

ScriptChar ScriptLexer::open_brace() {
    const Brace brace = context_ == Context::expression ? Brace::object : Brace::block;
    frames_.push_back({brace, 0});
    context_ = Context::statement;
    return {ScriptPart::code,
            brace == Brace::block ? ScriptEdge::block_open : ScriptEdge::object_open};
}

ScriptChar ScriptLexer::close_brace() {
    if (frames_.empty()) {
        // It closes a brace opened before the script, as in the page around it.
        context_ = Context::statement;
        return {ScriptPart::code, ScriptEdge::block_close};
    }
    const Brace brace = frames_.back().brace;
    frames_.pop_back();
    switch (brace) {
        case Brace::block:
            context_ = Context::statement;
            return {ScriptPart::code, ScriptEdge::block_close};
        case Brace::object:
            context_ = Context::value;
            return {ScriptPart::code, ScriptEdge::object_close};
        case Brace::substitution:
            part_ = ScriptPart::template_text;
            return {ScriptPart::code, ScriptEdge::substitution_close};
    }
    return {ScriptPart::code, ScriptEdge::none};
}

// The ":" of "? :" and of a property is followed by an operand; the one of a
// case, a default or a label by a statement.
void ScriptLexer::colon() {
    std::uint32_t& open = ternaries();
    if (open > 0) {
        --open;
        context_ = Context::expression;
    } else if (!frames_.empty() && frames_.back().brace != Brace::block) {
        context_ = Context::expression;
    } else {
        context_ = Context::statement;
    }
}

void ScriptLexer::end_word() {
    const std::string_view word(word_, std::min(word_length_, word_capacity));
    if (after_dot_ || word_length_ > word_capacity || (word[0] >= '0' && word[0] <= '9'))
        context_ = Context::value;  // a property name, a long name or a number
    else if (is_one_of(statement_keywords, word))
        context_ = Context::statement;
    else if (is_one_of(expression_keywords, word))
        context_ = Context::expression;
    else
        context_ = Context::value;
    word_length_ = 0;
    after_dot_ = false;
}

}  // namespace quenlo
