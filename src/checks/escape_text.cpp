#include "checks/escape_text.h"

#include "foundation/text.h"

namespace quenlo {

namespace {

// The accented capitals and small letters of the Italian keyboard, and the euro.
std::string_view named_entity(char32_t c) {
    switch (c) {
        case 0x00C0:
            return "&Agrave;";
        case 0x00C1:
            return "&Aacute;";
        case 0x00C8:
            return "&Egrave;";
        case 0x00C9:
            return "&Eacute;";
        case 0x00CC:
            return "&Igrave;";
        case 0x00CD:
            return "&Iacute;";
        case 0x00D2:
            return "&Ograve;";
        case 0x00D3:
            return "&Oacute;";
        case 0x00D9:
            return "&Ugrave;";
        case 0x00DA:
            return "&Uacute;";
        case 0x00E0:
            return "&agrave;";
        case 0x00E1:
            return "&aacute;";
        case 0x00E8:
            return "&egrave;";
        case 0x00E9:
            return "&eacute;";
        case 0x00EC:
            return "&igrave;";
        case 0x00ED:
            return "&iacute;";
        case 0x00F2:
            return "&ograve;";
        case 0x00F3:
            return "&oacute;";
        case 0x00F9:
            return "&ugrave;";
        case 0x00FA:
            return "&uacute;";
        case 0x20AC:
            return "&euro;";
        default:
            return {};
    }
}

constexpr char32_t line_separator = 0x2028;
constexpr char32_t paragraph_separator = 0x2029;

// A printable ASCII character that goes on as it is and ends a run of blanks.
bool is_plain_ascii(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte > ' ' && byte < 0x80 && c != '&' && c != '\'' && c != '\\' && c != '<' &&
           c != '>' && c != '^';
}

bool is_comment_piece(std::string_view piece) {
    const std::string_view t = trim_view(piece);
    return t.size() >= 2 && t.starts_with("//");
}

// One pass does the work of the five steps: "&" becomes "&amp;", pairs of
// apostrophes "&quot;", comment lines go, the characters are folded, and "^"
// becomes "<br>". This is the same as running the steps one after another:
// the entities they make hold no blank, apostrophe, caret or line break, and a
// pair of apostrophes can never straddle a line.
class Escaper {
public:
    explicit Escaper(std::size_t size) { out_.reserve(size + size / 8); }

    // A piece ends just after a CR or an LF, or at the end of the text.
    void add_piece(std::string_view piece) {
        if (is_comment_piece(piece)) return;
        for (std::size_t pos = 0; pos < piece.size();) {
            if (is_plain_ascii(piece[pos])) {  // a run of them goes on at once
                std::size_t end = pos + 1;
                while (end < piece.size() && is_plain_ascii(piece[end])) ++end;
                out_.append(piece, pos, end - pos);
                after_blank_ = false;
                pos = end;
                continue;
            }
            const auto byte = static_cast<unsigned char>(piece[pos]);
            if (byte < 0x80) {
                const bool pair = byte == '\'' && pos + 1 < piece.size() && piece[pos + 1] == '\'';
                pos += pair ? 2 : 1;
                add_ascii(static_cast<char>(byte), pair);
            } else {
                const std::size_t start = pos;
                const char32_t c = next_code_point(piece, pos);
                add_other(c, piece.substr(start, pos - start));
            }
        }
    }

    std::string take() { return std::move(out_); }

private:
    // A blank after a blank is dropped; a control character adds one blank
    // unless it follows a blank or another control character.
    void add_ascii(char c, bool apostrophe_pair) {
        if (c == ' ') {
            if (!after_blank_) out_ += ' ';
            after_blank_ = !after_blank_;
            return;
        }
        const bool previous = after_blank_;
        after_blank_ = false;
        if (apostrophe_pair) {
            out_ += "&quot;";
            return;
        }
        switch (c) {
            case '&':
                out_ += "&amp;";
                return;
            case '\'':
                out_ += "\\'";
                return;
            case '\\':
                // Doubled, so a backslash is shown and can never end the
                // string the text is put into.
                out_ += "\\\\";
                return;
            case '<':
                out_ += "&lt;";
                return;
            case '>':
                out_ += "&gt;";
                return;
            case '^':
                out_ += "<br>";
                return;
            default:
                break;
        }
        if (static_cast<unsigned char>(c) < 32) {
            if (!previous) out_ += ' ';
            after_blank_ = true;
            return;
        }
        out_ += c;
    }

    void add_other(char32_t c, std::string_view bytes) {
        if (c == line_separator || c == paragraph_separator) {
            // Line breaks to older script engines: a blank, like CR and LF.
            const bool previous = after_blank_;
            after_blank_ = true;
            if (!previous) out_ += ' ';
            return;
        }
        after_blank_ = false;
        if (const std::string_view entity = named_entity(c); !entity.empty())
            out_ += entity;
        else if (c == replacement_character)
            append_utf8(out_, c);  // also stands for a malformed byte
        else
            out_ += bytes;
    }

    std::string out_;
    bool after_blank_ = false;
};

}  // namespace

std::string escape_text(std::string_view text) {
    Escaper escaper(text.size());
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        end = (end == std::string_view::npos) ? text.size() : end + 1;
        escaper.add_piece(text.substr(start, end - start));
        start = end;
    }
    return escaper.take();
}

std::string literal_string_content(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c == '<') {
            out += "\\x3c";  // the same character, but never "</script>" in the page
            continue;
        }
        if (c == '\\' || c == '\'') out += '\\';
        out += c;
    }
    return out;
}

std::string string_value(std::string_view content) {
    const auto hex = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    std::string out;
    out.reserve(content.size());
    for (std::size_t i = 0; i < content.size(); ++i) {
        const char c = content[i];
        if (c != '\\' || i + 1 == content.size()) {
            out += c;
            continue;
        }
        const char next = content[++i];
        if (next == 'x' && i + 2 < content.size() && hex(content[i + 1]) >= 0 &&
            hex(content[i + 2]) >= 0) {
            append_utf8(out, static_cast<char32_t>(hex(content[i + 1]) * 16 + hex(content[i + 2])));
            i += 2;
        } else {
            out += next;
        }
    }
    return out;
}

}  // namespace quenlo
