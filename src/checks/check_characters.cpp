#include "checks/check_characters.h"

#include <array>
#include <bitset>

#include "foundation/build.h"
#include "foundation/error.h"
#include "foundation/project_files.h"
#include "foundation/text.h"

namespace quenlo {

namespace {

// Every permitted character has a code below 256, so one bit per code will do.
using CharacterSet = std::bitset<256>;

constexpr std::u32string_view letters_and_digits =
    U"qwertyuiopasdfghjklzxcvbnmQWERTYUIOPASDFGHJKLZXCVBNM1234567890";
constexpr std::u32string_view accented_letters = U"àÀáÁèÈéÉìÌíÍòÒóÓùÙúÚ";

CharacterSet make_set(std::u32string_view symbols, bool with_accented_letters) {
    CharacterSet set;
    for (char32_t c : letters_and_digits) set.set(c);
    for (char32_t c : symbols) set.set(c);
    if (with_accented_letters)
        for (char32_t c : accented_letters) set.set(c);
    return set;
}

const CharacterSet& permitted_set(CheckKind kind) {
    static const std::array<CharacterSet, 5> sets = {
        make_set(U" !\"£$%&/()=?^'|[]{}*+#-_,;.:<>§@", true),  // script
        make_set(U" !£$%&/()=?'|*+-,;.:<>^#_{}", true),        // message
        make_set(U" /=:_", false),                             // variable
        make_set(U" !£$%&()=?'*+#-,;.:<>{}^_", true),          // text
        make_set(U" !£$%&()=?^'*+-,;.:<>§", true),             // introduction
    };
    return sets[static_cast<int>(kind) - 1];
}

}  // namespace

namespace {

struct InvalidCharacter {
    char32_t character;
    std::size_t column;  // from 1, in characters
};

std::optional<InvalidCharacter> find_invalid_character(std::string_view text, CheckKind kind) {
    const CharacterSet& set = permitted_set(kind);
    std::size_t column = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        ++column;
        const auto byte = static_cast<unsigned char>(text[pos]);
        if (byte < 0x80) {
            ++pos;
            if (byte > 32 && !set.test(byte)) return InvalidCharacter{byte, column};
            continue;
        }
        const char32_t c = next_code_point(text, pos);
        if (c >= set.size() || !set.test(c)) return InvalidCharacter{c, column};
    }
    return std::nullopt;
}

// "U+00A0": invisible characters such as a no-break space get a name.
std::string code_name(char32_t c) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (; c > 0 || hex.size() < 4; c >>= 4) hex.insert(hex.begin(), digits[c & 0xF]);
    return "U+" + hex;
}

// Every source file passes here first, so a file saved in the wrong encoding
// is told once, at its first byte that is not UTF-8.
void warn_about_encoding(Build& build, const SourceFile& file) {
    const InvalidUtf8& bad = file.first_invalid;
    if (bad.line == 0) return;
    static constexpr char hex[] = "0123456789ABCDEF";
    const std::string byte = {'0', 'x', hex[bad.byte >> 4], hex[bad.byte & 0xF]};
    SourceLocation where = file.location(bad.line);
    where.column = bad.column;
    build.warn(
        "byte " + byte + " is not UTF-8; the line is read as Windows-1252 (save the file as UTF-8)",
        std::move(where), "encoding");
}

}  // namespace

std::optional<char32_t> first_invalid_character(std::string_view text, CheckKind kind) {
    const auto bad = find_invalid_character(text, kind);
    if (!bad) return std::nullopt;
    return bad->character;
}

void check_characters(Build& build, std::string_view file_name, CheckKind kind) {
    const SourceFile& file = build.sources.file(file_name);
    const std::string& path = file.path;
    warn_about_encoding(build, file);
    build.log.log_line("%Check chars in file: " + path);
    if (build.switches.skip_characters_check) {
        build.log.log_line(" skipped!");
        return;
    }
    for (std::size_t index = 0; index < file.lines.size(); ++index) {
        const std::string& line = file.lines[index];
        if (trim_view(line).starts_with("//")) continue;
        if (const auto bad = find_invalid_character(line, kind)) {
            SourceLocation where{path, index + 1, bad->column, line,
                                 " (" + code_name(bad->character) + ")"};
            throw Error("Invalid character < " + utf8(bad->character) + " >", std::move(where));
        }
    }
}

}  // namespace quenlo
