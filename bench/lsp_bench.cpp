// The language server on the largest project, as an author types: the
// diagnostics of a change (the model read again, each script parsed, a build
// of the editor's texts) within 300 ms, and a completion right after a change
// (the model read again) within 50 ms.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "large_project.h"
#include "lsp/file_uri.h"
#include "lsp/language_server.h"

namespace {

using nlohmann::json;

class Session {
public:
    Session() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "quenlo-lsp-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        folder_ = pattern;
        quenlo::bench::write_large_project(folder_, quenlo::bench::largest_project());
        ask("initialize", {{"rootUri", quenlo::lsp::uri_of_path(folder_)}, {"capabilities", json::object()}});
        for (const char* file : {"rooms.qnr", "actions.qna"}) {
            std::ifstream in(folder_ + "/" + file, std::ios::binary);
            std::stringstream text;
            text << in.rdbuf();
            tell("textDocument/didOpen",
                 {{"textDocument", {{"uri", uri(file)}, {"languageId", "quenlo"}, {"version", 1},
                                    {"text", text.str()}}}});
        }
        server_.publish_diagnostics();
    }
    ~Session() {
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }

    std::string uri(const std::string& file) const {
        return quenlo::lsp::uri_of_path(folder_ + "/" + file);
    }
    // Types one letter at the start of the file, or takes it away again.
    void type(const std::string& file) {
        const json start = {{"line", 0}, {"character", 0}};
        const json end = {{"line", 0}, {"character", typed_ ? 1 : 0}};
        tell("textDocument/didChange",
             {{"textDocument", {{"uri", uri(file)}, {"version", ++version_}}},
              {"contentChanges",
               {{{"range", {{"start", start}, {"end", end}}}, {"text", typed_ ? "" : "/"}}}}});
        typed_ = !typed_;
    }
    json ask(const std::string& method, json params) {
        auto answers = server_.handle({{"jsonrpc", "2.0"}, {"id", ++id_}, {"method", method},
                                       {"params", std::move(params)}});
        return answers.empty() ? json() : answers.front();
    }
    void tell(const std::string& method, json params) {
        server_.handle({{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}});
    }
    quenlo::lsp::LanguageServer& server() { return server_; }

private:
    std::string folder_;
    quenlo::lsp::LanguageServer server_{{}};
    int id_ = 0;
    int version_ = 1;
    bool typed_ = false;
};

void BM_DiagnosticsAfterChange(benchmark::State& state) {
    Session session;
    std::size_t published = 0;
    for (auto _ : state) {
        session.type("rooms.qnr");
        published += session.server().publish_diagnostics().size();
    }
    if (published == 0) state.SkipWithError("nothing was published");
}
BENCHMARK(BM_DiagnosticsAfterChange)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_CompletionAfterChange(benchmark::State& state) {
    Session session;
    // A call written at the second line of the actions: after its quote
    // and "_r" the answer lists every room and the pseudo-rooms.
    session.tell("textDocument/didChange",
                 {{"textDocument", {{"uri", session.uri("actions.qna")}, {"version", 100}}},
                  {"contentChanges",
                   {{{"range", {{"start", {{"line", 1}, {"character", 0}}},
                                {"end", {{"line", 1}, {"character", 0}}}}},
                     {"text", "f_moveplayer(\"_r\n"}}}}});
    const json position = {{"textDocument", {{"uri", session.uri("actions.qna")}}},
                           {"position", {{"line", 1}, {"character", 16}}}};
    std::size_t items = 0;
    for (auto _ : state) {
        session.type("rooms.qnr");
        items += session.ask("textDocument/completion", position)["result"]["items"].size();
    }
    if (items == 0) state.SkipWithError("no completion");
    state.counters["items"] = benchmark::Counter(static_cast<double>(items),
                                                 benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_CompletionAfterChange)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
