// Project files as bytes on disk: decoding (byte-order marks, UTF-8,
// Windows-1252), splitting into lines, reading through a file (refusing UTF-16
// without its mark), then text escaping and the character check of what was
// read. Decoded text and every
// line are UTF-8; escaped text holds nothing that escaping removes; the
// character check finds the first forbidden character, no other.

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "character_oracle.h"
#include "checks/check_characters.h"
#include "checks/escape_text.h"
#include "foundation/build.h"
#include "foundation/build_log.h"
#include "foundation/error.h"
#include "foundation/project_files.h"
#include "foundation/text.h"
#include "fuzz_check.h"
#include "scratch_folder.h"
#include "utf8_oracle.h"

namespace quenlo::fuzz {

namespace {

bool has_byte_order_mark(std::string_view bytes) {
    return bytes.starts_with("\xEF\xBB\xBF") || bytes.starts_with("\xFF\xFE") ||
           bytes.starts_with("\xFE\xFF");
}

std::string utf16_with_mark(std::u32string_view text, bool big_endian) {
    std::string out = big_endian ? "\xFE\xFF" : "\xFF\xFE";
    const auto unit = [&](char32_t u) {
        const char high = static_cast<char>(u >> 8), low = static_cast<char>(u & 0xFF);
        out += big_endian ? high : low;
        out += big_endian ? low : high;
    };
    for (const char32_t c : text) {
        if (c < 0x10000) {
            unit(c);
        } else {
            unit(0xD800 + ((c - 0x10000) >> 10));
            unit(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    return out;
}

// Every line break (CR LF, CR, LF) as CR LF, without one at the very end.
std::string with_crlf_breaks(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            if (i + 1 < text.size()) out += "\r\n";
        } else {
            out += text[i];
        }
    }
    return out;
}

// Without a mark each line is read on its own: as it is when it is UTF-8,
// else one character a byte; the line breaks stay where they were.
void check_lines_decoded_alone(std::string_view bytes, std::string_view text) {
    const auto next_line = [](std::string_view& rest) {
        const std::size_t end = std::min(rest.find_first_of("\r\n"), rest.size());
        std::size_t next = end;
        if (next < rest.size()) next += rest.compare(next, 2, "\r\n") == 0 ? 2 : 1;
        const std::string_view line = rest.substr(0, end);
        const std::string_view brk = rest.substr(end, next - end);
        rest.remove_prefix(next);
        return std::pair{line, brk};
    };
    while (!bytes.empty() || !text.empty()) {
        const auto [raw, raw_break] = next_line(bytes);
        const auto [read, read_break] = next_line(text);
        require(raw_break == read_break, "a line break is read as it is", std::string(read));
        if (is_well_formed_utf8(raw))
            require(read == raw, "a UTF-8 line without a mark is read as it is", std::string(read));
        else
            require(code_points(std::string(read)).size() == raw.size(),
                    "a line that is not UTF-8 is Windows-1252: one character a byte",
                    std::string(read));
    }
}

void check_decoding(std::string_view bytes, const std::string& text) {
    require(is_valid_utf8(bytes) == is_well_formed_utf8(bytes),
            "the UTF-8 test agrees with the standard's table");
    require(is_well_formed_utf8(text), "decoded text is UTF-8", text);
    if (!has_byte_order_mark(bytes)) {
        if (is_well_formed_utf8(bytes))
            require(text == bytes, "UTF-8 without a mark is read as it is", text);
        else
            check_lines_decoded_alone(bytes, text);
    }
    require(decode_text("\xEF\xBB\xBF" + text) == text, "text with a UTF-8 mark reads the same");
    const std::u32string points = code_points(text);
    require(decode_text(utf16_with_mark(points, false)) == text,
            "text in UTF-16 little-endian with its mark reads the same");
    require(decode_text(utf16_with_mark(points, true)) == text,
            "text in UTF-16 big-endian with its mark reads the same");
}

void check_lines(const std::string& text, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        require(is_well_formed_utf8(line), "a line is UTF-8", line);
        require(line.find_first_of("\r\n") == std::string::npos, "a line holds no line break",
                line);
    }
    require(join_lines(lines) == with_crlf_breaks(text),
            "the lines are the text cut at CR LF, CR and LF", text);
}

void write_file(const std::string& path, std::string_view bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    require(file.good(), "the scratch file can be written", path);
}

// Whether reading the file is refused; a refusal is the file-open error,
// saying to save the file as UTF-8, for both ways of reading.
bool refused(const std::string& path) {
    const auto refusal = [&](auto&& read) -> std::string {
        try {
            read(path);
        } catch (const Error& error) {
            return error.what();
        }
        return {};
    };
    const std::string by_lines = refusal([](const std::string& p) { return read_lines(p); });
    const std::string by_text = refusal([](const std::string& p) { return read_text(p); });
    require(by_lines == by_text, "reading lines and text refuse the same files", by_lines);
    if (by_lines.empty()) return false;
    require(by_lines.starts_with("Cannot open file \"" + path + "\". ") &&
                by_lines.find("UTF-8") != std::string::npos,
            "a refused file gets the file-open error that says to save it as UTF-8", by_lines);
    return true;
}

// Text of ASCII characters other than NUL, as UTF-16 little-endian without a
// mark writes it: every odd byte NUL, no even one.
bool is_plain_utf16_ascii(std::string_view bytes) {
    if (bytes.size() < 2 || bytes.size() % 2 != 0) return false;
    for (std::size_t i = 0; i < bytes.size(); i += 2)
        if (bytes[i] == '\0' || static_cast<unsigned char>(bytes[i]) >= 0x80 ||
            bytes[i + 1] != '\0')
            return false;
    return true;
}

// A file is read as its decoded text unless it is UTF-16 without a mark: one
// without any NUL byte is always read, Latin text in UTF-16 without a mark is
// always refused. Tells whether the file was read; it is left holding `bytes`.
bool check_file_reading(std::string_view bytes, const std::string& path,
                        const std::vector<std::string>& lines) {
    write_file(path, bytes);
    require(read_bytes(path) == bytes, "a file reads back its bytes");
    const bool refused_bytes = refused(path);
    if (bytes.find('\0') == std::string_view::npos)
        require(!refused_bytes, "a file without NUL bytes is read as text");
    if (is_plain_utf16_ascii(bytes))
        require(refused_bytes, "Latin text in UTF-16 without a mark is refused");
    if (!refused_bytes) {
        require(read_lines(path) == lines, "reading a file gives the lines of its decoded text");
        require(read_text(path) == join_lines(lines), "a file's text is its lines joined by CR LF");
    }

    // The same text saved as UTF-16 without its mark.
    const std::string unmarked =
        utf16_with_mark(code_points(decode_text(std::string(bytes))), false).substr(2);
    if (is_plain_utf16_ascii(unmarked)) {
        write_file(path, unmarked);
        require(refused(path), "Latin text in UTF-16 without a mark is refused", unmarked);
        write_file(path, bytes);
    }
    return !refused_bytes;
}

bool starts_entity(std::string_view rest) {
    constexpr std::string_view entities[] = {
        "&amp;",    "&quot;",   "&lt;",     "&gt;",     "&Agrave;", "&Aacute;", "&Egrave;",
        "&Eacute;", "&Igrave;", "&Iacute;", "&Ograve;", "&Oacute;", "&Ugrave;", "&Uacute;",
        "&agrave;", "&aacute;", "&egrave;", "&eacute;", "&igrave;", "&iacute;", "&ograve;",
        "&oacute;", "&ugrave;", "&uacute;", "&euro;"};
    for (const std::string_view entity : entities)
        if (rest.starts_with(entity)) return true;
    return false;
}

void check_escaping(const std::string& text) {
    const std::string out = escape_text(text);
    require(is_well_formed_utf8(out), "escaped text is UTF-8", out);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const char c = out[i];
        const std::string_view rest = std::string_view(out).substr(i);
        require(static_cast<unsigned char>(c) >= 32, "escaped text holds no control character",
                out);
        require(c != '^', "escaped text holds no caret", out);
        if (c == '<') require(rest.starts_with("<br>"), "a '<' in escaped text opens <br>", out);
        if (c == '>')
            require(i >= 3 && out.compare(i - 3, 4, "<br>") == 0,
                    "a '>' in escaped text closes <br>", out);
        if (c == '&') require(starts_entity(rest), "a '&' in escaped text starts an entity", out);
    }
    // Read as the content of a single-quoted script string, the text is one
    // whole string: every backslash starts an escape of one character, and an
    // apostrophe is only ever escaped.
    for (std::size_t i = 0; i < out.size(); ++i) {
        require(out[i] != '\'', "an apostrophe is escaped", out);
        if (out[i] == '\\') {
            require(i + 1 < out.size() && (out[i + 1] == '\\' || out[i + 1] == '\''),
                    "a backslash escapes a backslash or an apostrophe", out);
            ++i;
        }
    }
    constexpr std::u32string_view named = U"ÀÁÈÉÌÍÒÓÙÚàáèéìíòóùú€";
    for (const char32_t c : code_points(out))
        require(named.find(c) == std::u32string_view::npos,
                "escaped text holds no character that has an entity", out);
}

std::u32string without_comment_lines(const std::vector<std::string>& lines) {
    std::u32string checked;
    for (const std::string& line : lines) {
        if (!trim_view(line).starts_with("//")) checked += code_points(line);
        checked += U'\n';
    }
    return checked;
}

class NoLog : public LogSink {
public:
    void append_line(LogColour, std::string_view) override {}
    void clear() override {}
};

class NoEvents : public PollHook {
public:
    void process_events() override {}
};

void check_characters_of(const std::string& text, const std::string& path,
                         const std::vector<std::string>& lines, CheckKind chosen, bool readable) {
    const std::u32string points = code_points(text);
    for (const CheckKind kind : {CheckKind::script, CheckKind::message, CheckKind::variable,
                                 CheckKind::text, CheckKind::introduction})
        require(first_invalid_character(text, kind) == first_forbidden(points, kind),
                "the character check stops at the first forbidden character", text);

    NoLog sink;
    NoEvents events;
    BuildLog log(sink, events);
    const std::atomic<bool> stop{false};
    Switches checking;
    checking.skip_characters_check = false;
    Build build(scratch_folder("read_text"), checking, false, log, stop);
    std::string error;
    try {
        check_characters(build, "source.qn", chosen);
    } catch (const Error& e) {
        error = e.what();
    }
    if (!readable) {
        require(error.starts_with("Cannot open file \""), "a refused file is not checked", error);
        return;
    }
    const auto forbidden = first_forbidden(without_comment_lines(lines), chosen);
    const std::string expected = forbidden ? "Invalid character < " + utf8(*forbidden) + " >" : "";
    require(error == expected,
            "the file's check names its first forbidden character outside comments",
            error + " | expected: " + expected);
}

}  // namespace

}  // namespace quenlo::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quenlo;
    using namespace quenlo::fuzz;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // Made once: libFuzzer gives the target no other place to keep it.
    static const std::string path = project_path(scratch_folder("read_text"), "source.qn");

    const std::string text = decode_text(std::string(bytes));
    check_decoding(bytes, text);
    const std::vector<std::string> lines = split_lines(text);
    check_lines(text, lines);
    const bool readable = check_file_reading(bytes, path, lines);
    check_escaping(text);
    const auto kind = static_cast<CheckKind>(size % 5 + 1);
    check_characters_of(text, path, lines, kind, readable);
    return 0;
}
