#pragma once
// A scanner of the JavaScript that authors write and that the pages carry. It
// reads a script one byte at a time and tells what each character belongs to
// (code, a comment, a double-quoted text, a string, a template literal, a
// regular expression) and which braces open and close a block of code, an
// object literal or a template substitution. It makes no tokens and keeps no
// text but the first letters of the word it is in: its state is a few flags
// and the stack of open braces, so a scan is linear and allocates only when
// braces nest deeper than before.
//
// A "/" starts a regular expression, and a "{" an object literal, by the
// significant token before it, the way JavaScript's own scanners guess:
// - where a statement may begin (the start, after ";", "}" of a block, "{",
//   "=>", else, do, try, finally, catch and the ":" of a case or a label), a
//   "{" opens a block and a "/" a regular expression;
// - where an operand is expected (after an operator, "(", "[", ",", "?", the
//   ":" of a property or of "? :", "${", return, typeof, case, new, var, let,
//   const and the like), a "{" opens an object literal and a "/" a regular
//   expression;
// - after an operand (a name, a number, a literal, ")", "]", "}" of an object
//   literal, "++"), a "/" divides and a "{" opens a block, as after the ")" of
//   an if or the name of a class.
// Code that puts a regular expression right after the ")" of an if, or a
// statement block after "return" and a line break, is read the other way.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace quenlo {

// What a character belongs to. The quotes, backticks and slashes that open
// and close a part belong to it.
enum class ScriptPart : std::uint8_t {
    code,
    comment,
    text,           // an author's double-quoted text: to the next double quote
    string,         // a single-quoted string
    template_text,  // the literal text of a template, outside its "${ }"
    regex,
};

// Where a character stands.
enum class ScriptEdge : std::uint8_t {
    none,
    opens,   // the quote, backtick or slash (the first of "//" and "/*") that opens its part
    closes,  // the quote, backtick or slash that closes it; a line comment ends
             // at its line break, which is code
    block_open,
    block_close,
    object_open,
    object_close,
    substitution_open,   // the "{" of a template's "${", which is code
    substitution_close,  // the "}" that ends it, code as well
};

struct ScriptChar {
    ScriptPart part;
    ScriptEdge edge;
};

enum class ScriptDialect : std::uint8_t {
    // An author's script file: a double quote opens the author's text, which
    // runs to the next double quote, over lines and without escapes; comments
    // and regular expressions are code's; a string ends at its line's end.
    author,
    // The script region of a release page as its text encoding reads it:
    // apostrophe strings, which run on over lines until their closing quote,
    // and template literals are all that is quoted; double quotes and slashes
    // are plain characters. Braces of code are only counted, to find the end
    // of a substitution: every other one counts as a block's.
    page,
};

class ScriptLexer {
public:
    explicit ScriptLexer(ScriptDialect dialect = ScriptDialect::author);

    // Classifies the byte `c` of the script and moves past it; `next` is the
    // byte after it ('\0' at the end). A character of several bytes is given
    // byte by byte.
    ScriptChar step(char c, char next);

    // Moves past the bytes of `text` from `from` on that only continue the
    // current part and change nothing else, as stepping over each would, and
    // returns where it stopped; those bytes are of part() with no edge. For
    // long runs of texts, strings and comments (and of a page's code).
    std::size_t pass_quiet(std::string_view text, std::size_t from);

    // The part that the next character continues unless it ends it.
    ScriptPart part() const { return part_; }

private:
    // What the significant tokens before allow next.
    enum class Context : std::uint8_t { statement, expression, value };
    enum class Brace : std::uint8_t { block, object, substitution };
    struct Frame {
        Brace brace;
        std::uint32_t ternaries;  // "?" of "? :" still waiting for their ":"
    };
    static constexpr std::size_t word_capacity = 10;  // "instanceof"

    ScriptChar code(char c, char next);
    ScriptChar page_code(char c);
    ScriptChar in_template(char c);
    ScriptChar in_regex(char c);
    ScriptChar open_brace();
    ScriptChar close_brace();
    void colon();
    void end_word();
    std::uint32_t& ternaries() { return frames_.empty() ? ternaries_ : frames_.back().ternaries; }

    ScriptDialect dialect_;
    ScriptPart part_ = ScriptPart::code;
    Context context_ = Context::statement;
    bool escaped_ = false;        // string, template, regex: after a backslash
    bool in_class_ = false;       // regex: inside "[ ]"
    bool line_comment_ = false;   // comment: "//" rather than "/*"
    bool opener_second_ = false;  // comment: the next byte is the "/" or "*" of its opener
    bool after_dot_ = false;      // code: the word that follows names a property
    char previous_ = '\0';        // the byte before, for "=>", "++", "??", "${" and "*/"
    std::size_t word_length_ = 0;
    char word_[word_capacity] = {};
    std::uint32_t ternaries_ = 0;  // of the code outside every brace
    std::vector<Frame> frames_;    // the open braces, innermost last
};

}  // namespace quenlo
