#include "project/picture_data.h"

#include <array>

#include "foundation/error.h"
#include "foundation/text.h"

namespace quenlo {

namespace {

constexpr std::string_view alphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

constexpr std::string_view gif87 = "GIF87a";
constexpr std::string_view gif89 = "GIF89a";
constexpr std::string_view png = "\x89PNG\r\n\x1a\n";
constexpr std::string_view jpeg = "\xFF\xD8\xFF";

// The value of each base64 digit, -1 for other characters.
constexpr std::array<int, 256> digit_values() {
    std::array<int, 256> values{};
    values.fill(-1);
    for (std::size_t i = 0; i < alphabet.size(); ++i)
        values[static_cast<unsigned char>(alphabet[i])] = static_cast<int>(i);
    return values;
}

std::string base64_decode(std::string_view digits) {
    static constexpr std::array<int, 256> values = digit_values();
    std::string bytes;
    bytes.reserve(digits.size() / 4 * 3);
    unsigned bits = 0;
    int count = 0;
    std::size_t padding = 0;
    for (const char c : digits) {
        if (static_cast<unsigned char>(c) <= ' ') continue;
        if (c == '=') {
            ++padding;
            continue;
        }
        const int value = values[static_cast<unsigned char>(c)];
        if (value < 0 || padding > 0)
            throw Error("the base64 text holds \"" + std::string(1, c) + "\"");
        bits = (bits << 6) | static_cast<unsigned>(value);
        count += 6;
        if (count >= 8) {
            count -= 8;
            bytes += static_cast<char>((bits >> count) & 0xFF);
        }
    }
    if (padding > 2 || count >= 6) throw Error("the base64 text ends too early");
    return bytes;
}

}  // namespace

std::optional<std::string_view> picture_media_type(std::string_view bytes) {
    if (bytes.starts_with(gif87) || bytes.starts_with(gif89)) return "image/gif";
    if (bytes.starts_with(png)) return "image/png";
    if (bytes.starts_with(jpeg)) return "image/jpeg";
    return std::nullopt;
}

std::string base64_encode(std::string_view bytes) {
    std::string digits;
    digits.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(bytes[at]); };
    for (; i + 3 <= bytes.size(); i += 3) {
        const unsigned group = (byte(i) << 16) | (byte(i + 1) << 8) | byte(i + 2);
        for (int shift = 18; shift >= 0; shift -= 6) digits += alphabet[(group >> shift) & 63];
    }
    const std::size_t left = bytes.size() - i;
    if (left > 0) {
        const unsigned group = (byte(i) << 16) | (left == 2 ? byte(i + 1) << 8 : 0);
        digits += alphabet[(group >> 18) & 63];
        digits += alphabet[(group >> 12) & 63];
        digits += left == 2 ? alphabet[(group >> 6) & 63] : '=';
        digits += '=';
    }
    return digits;
}

std::optional<std::string> picture_data_text(std::string_view bytes) {
    const auto type = picture_media_type(bytes);
    if (!type) return std::nullopt;
    return "data:" + std::string(*type) + ";base64," + base64_encode(bytes) + std::string(crlf);
}

std::optional<std::string> picture_data_bytes(std::string_view text) {
    const std::string_view data = trim_view(text);
    if (data.empty()) return std::nullopt;
    constexpr std::string_view marker = ";base64,";
    const std::size_t comma = data.find(marker);
    if (!data.starts_with("data:") || comma == std::string_view::npos)
        throw Error("it does not begin with \"data:\" and a media type with \";base64,\"");
    return base64_decode(data.substr(comma + marker.size()));
}

}  // namespace quenlo
