// The text operations every build runs over whole files: escaping, the
// character check and reading (decoding and splitting). Target: each well
// under 50 ms for 10 MB.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "checks/check_characters.h"
#include "checks/escape_text.h"
#include "foundation/project_files.h"

namespace {

constexpr std::size_t ten_megabytes = 10 * 1024 * 1024;

// Italian-looking author text with accents, apostrophes, comments and breaks.
std::string author_text(std::size_t size) {
    const std::string chunk =
        "Sei nella stanza buia. C'è una {scritta|_scrittaStanzaBuia_} sul muro, e più in là\r\n"
        "// nota dell'autore: qui va la porta\r\n"
        "una porta che dà sul    giardino. Disse ''ciao'' & se ne andò^perché?\r\n";
    std::string text;
    text.reserve(size + chunk.size());
    while (text.size() < size) text += chunk;
    return text;
}

void BM_EscapeText(benchmark::State& state) {
    const std::string text = author_text(ten_megabytes);
    for (auto _ : state) benchmark::DoNotOptimize(quenlo::escape_text(text));
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_EscapeText)->Unit(benchmark::kMillisecond);

void BM_CharacterCheck(benchmark::State& state) {
    const std::string text = author_text(ten_megabytes);
    for (auto _ : state)
        benchmark::DoNotOptimize(quenlo::first_invalid_character(text, quenlo::CheckKind::script));
    state.SetBytesProcessed(state.iterations() * text.size());
}
BENCHMARK(BM_CharacterCheck)->Unit(benchmark::kMillisecond);

class TextFile {
public:
    TextFile(const std::string& name, const std::string& bytes)
        : path_((std::filesystem::temp_directory_path() / name).string()) {
        std::ofstream(path_, std::ios::binary) << bytes;
    }
    ~TextFile() { std::remove(path_.c_str()); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

void BM_ReadUtf8File(benchmark::State& state) {
    const TextFile file("quenlo-bench-utf8.txt", author_text(ten_megabytes));
    for (auto _ : state) benchmark::DoNotOptimize(quenlo::read_text(file.path()));
    state.SetBytesProcessed(state.iterations() * ten_megabytes);
}
BENCHMARK(BM_ReadUtf8File)->Unit(benchmark::kMillisecond);

void BM_ReadWindows1252File(benchmark::State& state) {
    std::string bytes = author_text(ten_megabytes);
    bytes[bytes.size() / 2] = '\xE8';  // one lone "è" byte makes the file Windows-1252
    const TextFile file("quenlo-bench-1252.txt", bytes);
    for (auto _ : state) benchmark::DoNotOptimize(quenlo::read_lines(file.path()));
    state.SetBytesProcessed(state.iterations() * ten_megabytes);
}
BENCHMARK(BM_ReadWindows1252File)->Unit(benchmark::kMillisecond);

}  // namespace
