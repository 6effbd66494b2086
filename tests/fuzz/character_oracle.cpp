#include "character_oracle.h"

namespace quenlo::fuzz {

namespace {

constexpr std::u32string_view letters_and_digits =
    U"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
constexpr std::u32string_view accented = U"àÀáÁèÈéÉìÌíÍòÒóÓùÙúÚ";

std::u32string permitted(CheckKind kind) {
    std::u32string set(letters_and_digits);
    switch (kind) {
        case CheckKind::script:
            return set + U" !\"£$%&/()=?^'|[]{}*+#-_,;.:<>§@" + std::u32string(accented);
        case CheckKind::message:
            return set + U" !£$%&/()=?'|*+-,;.:<>^#_{}" + std::u32string(accented);
        case CheckKind::variable:
            return set + U" /=:_";
        case CheckKind::text:
            return set + U" !£$%&()=?'*+#-,;.:<>{}^_" + std::u32string(accented);
        case CheckKind::introduction:
            return set + U" !£$%&()=?^'*+-,;.:<>§" + std::u32string(accented);
    }
    return set;
}

}  // namespace

std::u32string code_points(std::string_view text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (int k = 1; k < length && i + k < text.size(); ++k)
            c = c << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        out += c;
        i += length;
    }
    return out;
}

std::optional<char32_t> first_forbidden(std::u32string_view text, CheckKind kind) {
    const std::u32string set = permitted(kind);
    for (const char32_t c : text)
        if (c > 32 && set.find(c) == std::u32string::npos) return c;
    return std::nullopt;
}

}  // namespace quenlo::fuzz
