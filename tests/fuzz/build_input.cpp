#include "build_input.h"

#include <vector>

namespace quenlo::fuzz {

namespace {

constexpr std::size_t most_chunks = 32;

struct Chunk {
    std::string_view file;
    char op = '=';
    std::size_t line = 0;
    std::string_view payload;
};

char operation(unsigned char byte) {
    constexpr std::string_view ops = "=+<~-";
    if (ops.find(static_cast<char>(byte)) != std::string_view::npos) return static_cast<char>(byte);
    return ops[byte % ops.size()];
}

Chunk read_chunk(std::string_view header, std::string_view payload) {
    Chunk chunk;
    const auto file = static_cast<unsigned char>(header.empty() ? 'a' : header[0]);
    chunk.file =
        build_input_files[static_cast<unsigned char>(file - 'a') % build_input_files.size()];
    chunk.op = operation(header.size() > 1 ? static_cast<unsigned char>(header[1]) : '=');
    for (std::size_t i = 2; i < header.size() && header[i] >= '0' && header[i] <= '9'; ++i)
        chunk.line = (chunk.line * 10 + static_cast<std::size_t>(header[i] - '0')) % 1000000;
    chunk.payload = payload;
    return chunk;
}

// Where each "@@" that starts the text or a line begins.
std::vector<std::size_t> chunk_starts(std::string_view text) {
    std::vector<std::size_t> starts;
    if (text.starts_with("@@")) starts.push_back(0);
    for (std::size_t at = text.find("\n@@"); at != std::string_view::npos;
         at = text.find("\n@@", at + 1))
        starts.push_back(at + 1);
    return starts;
}

std::vector<Chunk> read_chunks(std::string_view text) {
    std::vector<Chunk> chunks;
    const std::vector<std::size_t> starts = chunk_starts(text);
    for (std::size_t i = 0; i < starts.size() && chunks.size() < most_chunks; ++i) {
        const std::size_t end = i + 1 < starts.size() ? starts[i + 1] - 1 : text.size();
        std::string_view body = text.substr(starts[i] + 2, end - starts[i] - 2);
        const std::size_t break_at = body.find('\n');
        const std::string_view header = body.substr(0, break_at);
        const std::string_view payload =
            break_at == std::string_view::npos ? std::string_view{} : body.substr(break_at + 1);
        chunks.push_back(read_chunk(header, payload));
    }
    return chunks;
}

// The file's lines, each with its LF when it has one.
std::vector<std::string_view> lines_of(std::string_view bytes) {
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < bytes.size();) {
        const std::size_t lf = bytes.find('\n', start);
        const std::size_t end = lf == std::string_view::npos ? bytes.size() : lf + 1;
        lines.push_back(bytes.substr(start, end - start));
        start = end;
    }
    return lines;
}

std::string as_lines(std::string_view payload) {
    std::string text(payload);
    if (!text.ends_with('\n')) text += "\r\n";
    return text;
}

// Replaces lines [line, line + count) of `bytes` by `inserted`.
std::string splice(std::string_view bytes, std::size_t line, std::size_t count,
                   std::string_view inserted) {
    const std::vector<std::string_view> lines = lines_of(bytes);
    std::string out;
    out.reserve(bytes.size() + inserted.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i == line) out += inserted;
        if (i < line || i >= line + count) out += lines[i];
    }
    if (line >= lines.size()) out += inserted;
    return out;
}

void apply_chunk(const Chunk& chunk, FolderSnapshot& files, std::string_view base_script) {
    const std::string name(chunk.file);
    if (chunk.op == '-') {
        files.erase(name);
        return;
    }
    if (chunk.op == '=') {
        files[name] = std::string(chunk.payload);
        return;
    }
    if (!files.contains(name)) files[name] = name == "base.qn" ? std::string(base_script) : "";
    std::string& bytes = files[name];
    const std::size_t count = lines_of(bytes).size();
    const std::string inserted = as_lines(chunk.payload);
    if (chunk.op == '+')
        bytes += inserted;
    else if (chunk.op == '<')
        bytes = splice(bytes, chunk.line % (count + 1), 0, inserted);
    else if (count == 0)
        bytes = inserted;
    else
        bytes = splice(bytes, chunk.line % count, 1, inserted);
}

}  // namespace

BuildRequest apply_build_input(std::string_view input, FolderSnapshot& files,
                               std::string_view base_script) {
    BuildRequest request;
    const unsigned options = input.empty() ? 0 : static_cast<unsigned char>(input[0]);
    request.release = options & 1;
    request.switches.skip_characters_check = !(options & 2);
    request.switches.skip_unknown_check = options & 4;
    request.switches.skip_images_merging = options & 8;
    if (!input.empty()) input.remove_prefix(1);
    for (const Chunk& chunk : read_chunks(input)) apply_chunk(chunk, files, base_script);
    return request;
}

}  // namespace quenlo::fuzz
