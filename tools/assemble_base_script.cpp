// Assembles the stored default base script from the sources under runtime/ and
// resources/ and writes it as a C++ source file, so the program carries it
// without anyone maintaining a giant string literal by hand.
//
// The manifest lists, one per line:
//   page PATH            the HTML part; lines "@include FILE" pull in FILE
//                        (relative to the including file's folder); the
//                        lines of a .js file lose their indentation
//   section NAME PATH    a header line NAME followed by the lines of PATH
//   picture NAME PATH    a header line NAME followed by PATH as a
//                        "data:image/gif;base64," text cut into lines
//   binary SYMBOL PATH   PATH's bytes, reachable as a function SYMBOL()
// Blank lines and lines starting with "//" are comments.
//
// Every line of the assembled text ends with CR LF.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "foundation/project_limits.h"

namespace fs = std::filesystem;

namespace {

std::string read_file(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

std::vector<std::string> split_lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

std::string trim(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 32) ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32) --e;
    return s.substr(b, e - b);
}

std::string without_indent(const std::string& s) {
    std::size_t b = 0;
    while (b < s.size() && (s[b] == ' ' || s[b] == '\t')) ++b;
    return s.substr(b);
}

// The runtime's copies of the project's limits, written "79 /*=largest_room*/"
// in its sources: the number becomes the generator's own value, so the two
// can never disagree, and the page carries the number alone.
std::string with_limits(std::string line) {
    struct Limit {
        std::string_view name;
        long value;
    };
    static constexpr Limit limits[] = {
        {"largest_room", quenlo::room_count - 1},
        {"object_rows", static_cast<long>(quenlo::object_rows)},
        {"variable_count", quenlo::variable_count},
    };
    for (std::size_t at = line.find(" /*="); at != std::string::npos; at = line.find(" /*=", at)) {
        const std::size_t close = line.find("*/", at);
        std::size_t digits = at;
        while (digits > 0 && line[digits - 1] >= '0' && line[digits - 1] <= '9') --digits;
        if (close == std::string::npos || digits == at)
            throw std::runtime_error("a limit without its number: " + line);
        const std::string name = line.substr(at + 4, close - at - 4);
        const Limit* limit = nullptr;
        for (const Limit& known : limits)
            if (known.name == name) limit = &known;
        if (!limit) throw std::runtime_error("unknown limit: " + name);
        const std::string value = std::to_string(limit->value);
        line.replace(digits, close + 2 - digits, value);
        at = digits + value.size();
    }
    return line;
}

// The runtime's JavaScript is indented in the source tree, but the page
// carries it flush left: the generator trims every line anyway, and the
// stored text stays as small as it always was.
void append_page(const fs::path& path, std::string& out, int depth) {
    if (depth > 16) throw std::runtime_error("includes nested too deeply at " + path.string());
    const bool script = path.extension() == ".js";
    for (const std::string& line : split_lines(read_file(path))) {
        std::string t = trim(line);
        if (t.rfind("@include ", 0) == 0) {
            append_page(path.parent_path() / trim(t.substr(9)), out, depth + 1);
        } else {
            out += script ? with_limits(without_indent(line)) : line;
            out += "\r\n";
        }
    }
}

std::string base64(const std::string& bytes) {
    static const char* alphabet =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    std::size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        unsigned v = (unsigned char)bytes[i] << 16 | (unsigned char)bytes[i + 1] << 8 |
                     (unsigned char)bytes[i + 2];
        out += alphabet[v >> 18 & 63];
        out += alphabet[v >> 12 & 63];
        out += alphabet[v >> 6 & 63];
        out += alphabet[v & 63];
    }
    if (i + 1 == bytes.size()) {
        unsigned v = (unsigned char)bytes[i] << 16;
        out += alphabet[v >> 18 & 63];
        out += alphabet[v >> 12 & 63];
        out += "==";
    } else if (i + 2 == bytes.size()) {
        unsigned v = (unsigned char)bytes[i] << 16 | (unsigned char)bytes[i + 1] << 8;
        out += alphabet[v >> 18 & 63];
        out += alphabet[v >> 12 & 63];
        out += alphabet[v >> 6 & 63];
        out += '=';
    }
    return out;
}

void append_picture(const fs::path& path, std::string& out) {
    const std::string data = "data:image/gif;base64," + base64(read_file(path));
    const std::size_t width = 76;
    for (std::size_t i = 0; i < data.size(); i += width) {
        out += data.substr(i, width);
        out += "\r\n";
    }
}

// Octal escapes keep the literal pure ASCII and never swallow a following digit.
void write_literal(std::ostream& out, const std::string& bytes) {
    out << "\"";
    std::size_t column = 0;
    for (unsigned char c : bytes) {
        if (column > 100) {
            out << "\"\n\"";
            column = 0;
        }
        if (c == '\\' || c == '"') {
            out << '\\' << c;
            column += 2;
        } else if (c >= 32 && c < 127 && c != '?') {
            out << c;
            ++column;
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\%03o", c);
            out << buf;
            column += 4;
        }
        if (c == '\n') {
            out << "\"\n\"";
            column = 0;
        }
    }
    out << "\"";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: quenlo_assemble_base SOURCE_DIR MANIFEST OUTPUT_CPP\n";
        return 2;
    }
    try {
        const fs::path root = argv[1];
        std::string base;
        std::vector<std::pair<std::string, std::string>> binaries;
        for (const std::string& raw : split_lines(read_file(root / argv[2]))) {
            std::string line = trim(raw);
            if (line.empty() || line.rfind("//", 0) == 0) continue;
            std::istringstream fields(line);
            std::string kind, name, path;
            fields >> kind >> name >> path;
            if (kind == "page") {
                append_page(root / name, base, 0);
            } else if (kind == "section") {
                base += name + "\r\n";
                for (const std::string& l : split_lines(read_file(root / path))) base += l + "\r\n";
            } else if (kind == "picture") {
                base += name + "\r\n";
                append_picture(root / path, base);
            } else if (kind == "binary") {
                binaries.emplace_back(name, read_file(root / path));
            } else {
                throw std::runtime_error("unknown manifest line: " + line);
            }
        }

        std::ostringstream out;
        out << "// Generated by quenlo_assemble_base from runtime/ and resources/. Do not edit.\n"
               "#include \"foundation/stored_resources.h\"\n\nnamespace quenlo {\n\n"
               "std::string_view stored_base_script() {\n    static const char text[] =\n";
        write_literal(out, base);
        out << ";\n    return {text, sizeof text - 1};\n}\n\n";
        for (const auto& [symbol, bytes] : binaries) {
            out << "std::string_view " << symbol << "() {\n    static const char bytes[] =\n";
            write_literal(out, bytes);
            out << ";\n    return {bytes, sizeof bytes - 1};\n}\n\n";
        }
        out << "}  // namespace quenlo\n";

        fs::path target = argv[3];
        fs::create_directories(target.parent_path());
        std::ofstream file(target, std::ios::binary);
        file << out.str();
        if (!file) throw std::runtime_error("cannot write " + target.string());
    } catch (const std::exception& e) {
        std::cerr << "quenlo_assemble_base: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
