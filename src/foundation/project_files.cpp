#include "foundation/project_files.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <utility>

#include "foundation/error.h"
#include "foundation/text.h"

namespace quenlo {

namespace {

// Windows-1252 bytes 0x80 to 0x9F; the five unassigned ones keep their C1 code.
constexpr char16_t windows_1252_high[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::string decode_windows_1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80)
            out += c;
        else if (b < 0xA0)
            append_utf8(out, windows_1252_high[b - 0x80]);
        else
            append_utf8(out, b);
    }
    return out;
}

std::string decode_utf16(std::string_view bytes, bool big_endian) {
    std::string out;
    out.reserve(bytes.size());
    const auto unit = [&](std::size_t i) -> char16_t {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return big_endian ? static_cast<char16_t>(a << 8 | b) : static_cast<char16_t>(b << 8 | a);
    };
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const char16_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 3 < bytes.size()) {
            const char16_t low = unit(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                append_utf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        append_utf8(out, (u >= 0xD800 && u <= 0xDFFF) ? replacement_character : u);
    }
    if (i < bytes.size()) append_utf8(out, replacement_character);  // odd trailing byte
    return out;
}

std::string fix_invalid_utf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t pos = 0; pos < bytes.size();) append_utf8(out, next_code_point(bytes, pos));
    return out;
}

// UTF-16 saved without its byte-order mark: among the first few hundred
// bytes, most of one parity are NUL and hardly any of the other, as the high
// bytes of Latin text are. UTF-8 and Windows-1252 text has no NUL at all.
bool looks_like_utf16_without_mark(std::string_view bytes) {
    constexpr std::size_t sampled = 512;
    const std::size_t pairs = std::min(bytes.size(), sampled) / 2;
    if (pairs == 0) return false;
    std::size_t even_nul = 0;
    std::size_t odd_nul = 0;
    for (std::size_t i = 0; i < pairs; ++i) {
        even_nul += bytes[2 * i] == '\0';
        odd_nul += bytes[2 * i + 1] == '\0';
    }
    const auto most = [&](std::size_t n) { return 2 * n > pairs; };
    const auto few = [&](std::size_t n) { return 4 * n <= pairs; };
    return (most(even_nul) && few(odd_nul)) || (most(odd_nul) && few(even_nul));
}

// Line by line: breaks (CR LF, CR, LF) are plain ASCII and stay as they are.
DecodedText decode_mixed_lines(std::string_view bytes) {
    DecodedText decoded;
    decoded.text.reserve(bytes.size() + bytes.size() / 8);
    std::size_t number = 0;
    for (std::size_t start = 0; start < bytes.size();) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = bytes.size();
        const std::string_view line = bytes.substr(start, end - start);
        ++number;
        const std::size_t bad = first_invalid_utf8(line);
        if (bad == std::string_view::npos) {
            decoded.text.append(line);
        } else {
            decoded.text.append(decode_windows_1252(line));
            if (decoded.first_invalid.line == 0)
                decoded.first_invalid = {number, bad + 1, static_cast<unsigned char>(line[bad])};
        }
        std::size_t next = end;
        if (next < bytes.size()) next += bytes.compare(next, 2, "\r\n") == 0 ? 2 : 1;
        decoded.text.append(bytes.substr(end, next - end));
        start = next;
    }
    return decoded;
}

Error open_error(const std::string& path, std::string_view reason) {
    return Error("Cannot open file \"" + path + "\". " + std::string(reason));
}

}  // namespace

bool has_byte_order_mark(std::string_view bytes) {
    return bytes.starts_with("\xEF\xBB\xBF") || bytes.starts_with("\xFF\xFE") ||
           bytes.starts_with("\xFE\xFF");
}

std::string project_path(std::string_view folder, std::string_view file_name) {
    std::string path(folder);
    path += static_cast<char>(std::filesystem::path::preferred_separator);
    path += file_name;
    return path;
}

std::string decode_text(std::string bytes) {
    return decode_text_lines(std::move(bytes)).text;
}

DecodedText decode_text_lines(std::string bytes) {
    const std::string_view view = bytes;
    if (view.starts_with("\xEF\xBB\xBF")) return {fix_invalid_utf8(view.substr(3)), {}};
    if (view.starts_with("\xFF\xFE")) return {decode_utf16(view.substr(2), false), {}};
    if (view.starts_with("\xFE\xFF")) return {decode_utf16(view.substr(2), true), {}};
    if (is_valid_utf8(view)) return {std::move(bytes), {}};
    return decode_mixed_lines(view);
}

std::string read_bytes(const std::string& path) {
    const auto fail = [&](int error) { return open_error(path, std::strerror(error)); };
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) throw fail(EISDIR);
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         &std::fclose);
    if (!file) throw fail(errno);
    // Read straight into the text at the size the file has; a file that
    // grows meanwhile is read on in pieces.
    const auto size = std::filesystem::file_size(path, ec);
    std::string bytes(ec ? 0 : static_cast<std::size_t>(size), '\0');
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file.get()));
    char chunk[1 << 16];
    std::size_t n = 0;
    while (!std::ferror(file.get()) && (n = std::fread(chunk, 1, sizeof chunk, file.get())) > 0)
        bytes.append(chunk, n);
    if (std::ferror(file.get())) throw fail(errno ? errno : EIO);
    return bytes;
}

std::string read_decoded_text(const std::string& path) {
    return read_decoded_lines(path).text;
}

DecodedText read_decoded_lines(const std::string& path) {
    std::string bytes = read_bytes(path);
    // Read as text, UTF-16 without its mark would be a text of NUL characters.
    if (!has_byte_order_mark(bytes) && looks_like_utf16_without_mark(bytes))
        throw open_error(path,
                         "It looks like UTF-16 text without a byte-order mark; "
                         "save it as UTF-8.");
    return decode_text_lines(std::move(bytes));
}

std::vector<std::string> read_lines(const std::string& path) {
    return split_lines(read_decoded_text(path));
}

std::string read_text(const std::string& path) {
    std::string text = read_decoded_text(path);
    // Lines already broken by CR LF are joined as they stand: only the break
    // ending the last line goes.
    if (has_only_crlf_breaks(text)) {
        if (text.ends_with(crlf)) text.resize(text.size() - crlf.size());
        return text;
    }
    std::string joined;
    joined.reserve(text.size() + text.size() / 32);
    bool first = true;
    for_each_line(text, [&](std::string_view line) {
        if (!first) joined.append(crlf);
        joined.append(line);
        first = false;
    });
    return joined;
}

bool file_exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

bool folder_exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

}  // namespace quenlo
