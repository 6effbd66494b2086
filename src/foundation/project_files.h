#pragma once
// Reading the plain-text files of a project folder by one rule, and building
// their paths. Every phase reads its file through these functions.

#include <string>
#include <string_view>
#include <vector>

namespace quenlo {

// project folder + the platform's separator + file name
std::string project_path(std::string_view folder, std::string_view file_name);

// File bytes to UTF-8 text. A byte-order mark selects UTF-8 or UTF-16 (and is
// dropped); without one each line is UTF-8 when it is valid UTF-8, otherwise
// Windows-1252, so one pasted line spoils no other. Malformed sequences after
// a mark become U+FFFD; nothing fails. Valid UTF-8 without a mark is handed
// back as it came, without a copy.
std::string decode_text(std::string bytes);

// The first byte of a text without a mark that is not UTF-8: its line (from
// 1; 0 when every line is UTF-8), its column in the line as read (every byte
// of a Windows-1252 line is one character) and its value.
struct InvalidUtf8 {
    std::size_t line = 0;
    std::size_t column = 0;
    unsigned char byte = 0;
};

struct DecodedText {
    std::string text;
    InvalidUtf8 first_invalid;
};

// decode_text, telling where the first line read as Windows-1252 is.
DecodedText decode_text_lines(std::string bytes);

// Whether the bytes start with a UTF-8 or UTF-16 byte-order mark.
bool has_byte_order_mark(std::string_view bytes);

// The file's bytes; fails with "Cannot open file "<path>". <reason>".
std::string read_bytes(const std::string& path);
// The file's decoded text, its line breaks as they are. A file without a
// byte-order mark that is plainly UTF-16 is refused with the same error, its
// reason saying to save it as UTF-8.
std::string read_decoded_text(const std::string& path);
// The same, telling where the first line read as Windows-1252 is.
DecodedText read_decoded_lines(const std::string& path);
// Its lines (split at CR LF, CR or LF).
std::vector<std::string> read_lines(const std::string& path);
// The same content as one text, the lines joined by CR LF.
std::string read_text(const std::string& path);

bool file_exists(const std::string& path);
bool folder_exists(const std::string& path);

}  // namespace quenlo
