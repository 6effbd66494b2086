#pragma once
// The Language Server Protocol's side of the language features: it keeps the
// editor's documents, turns positions between the editor's columns (UTF-16
// code units, or bytes when the client offers UTF-8) and the project's bytes,
// and answers each request with JSON. It reads and writes no stream; the
// transport (stdio_transport.h) feeds it messages and sends what it returns.

#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "language/language_project.h"
#include "language/project_diagnostics.h"

namespace quenlo {
class ScriptParser;
}

namespace quenlo::lsp {

// The server speaks for the language layer's answers in its own protocol.
using language::LanguageProject;
using language::Place;
using language::PlacedDiagnostic;
using language::ShadowBuilder;

using Clock = std::chrono::steady_clock;

struct ServerOptions {
    std::string program_folder;  // where the program's own base.qn may lie
    std::chrono::milliseconds debounce{120};
    bool build = true;  // also publish the diagnostics of a build
};

class LanguageServer {
public:
    explicit LanguageServer(ServerOptions options);
    ~LanguageServer();

    // Answers one message (a request, a notification); what to send back,
    // in order. A request that cannot be served gets its JSON-RPC error.
    std::vector<nlohmann::json> handle(const nlohmann::json& message);
    // The answer to a message that is no JSON at all.
    static nlohmann::json parse_error(const std::string& why);

    // When the diagnostics of the last change are due, if one is waiting.
    std::optional<Clock::time_point> diagnostics_due() const { return due_; }
    // The publishDiagnostics notifications for every file of the project.
    std::vector<nlohmann::json> publish_diagnostics();

    bool exited() const { return exited_; }
    int exit_code() const { return shutdown_ ? 0 : 1; }

    // The project as the editor has it now (read again after a change).
    const LanguageProject* project();

private:
    struct Document {
        std::string text;
        int version = 0;
    };

    nlohmann::json dispatch(const std::string& method, const nlohmann::json& params);
    void notify(const std::string& method, const nlohmann::json& params);
    void changed();

    nlohmann::json initialize(const nlohmann::json& params);
    void did_open(const nlohmann::json& params);
    void did_change(const nlohmann::json& params);
    void did_close(const nlohmann::json& params);
    nlohmann::json completion(const nlohmann::json& params);
    nlohmann::json definition(const nlohmann::json& params);
    nlohmann::json references(const nlohmann::json& params);
    nlohmann::json prepare_rename(const nlohmann::json& params);
    nlohmann::json rename(const nlohmann::json& params);
    nlohmann::json hover(const nlohmann::json& params);
    nlohmann::json document_symbols(const nlohmann::json& params);
    nlohmann::json workspace_symbols(const nlohmann::json& params);
    nlohmann::json code_actions(const nlohmann::json& params);

    // The project file and byte that a TextDocumentPositionParams names.
    struct At {
        std::string file;
        std::size_t line = 0;
        std::size_t byte = 0;
    };
    std::optional<At> position_of(const nlohmann::json& params);
    std::optional<std::string> file_of_uri(const std::string& uri) const;
    std::string uri_of_file(const std::string& file) const;
    nlohmann::json range_json(const Place& place);
    nlohmann::json location_json(const Place& place);
    std::size_t column_of(std::string_view line, std::size_t byte) const;
    std::size_t byte_of(std::string_view line, std::size_t column) const;
    std::string_view line_of(const std::string& file, std::size_t line);
    std::map<std::string, std::string> open_texts() const;

    ServerOptions options_;
    std::shared_ptr<ScriptParser> parser_;
    ShadowBuilder builder_;
    bool utf8_ = false;
    bool initialized_ = false;
    bool shutdown_ = false;
    bool exited_ = false;
    std::string folder_;                       // the project folder
    std::map<std::string, Document> documents_;  // by URI
    std::unique_ptr<LanguageProject> project_;   // null after a change
    std::optional<Clock::time_point> due_;
    std::vector<PlacedDiagnostic> diagnostics_;  // as last published
    std::vector<std::string> published_;         // files with diagnostics last time
    std::vector<nlohmann::json> pending_;        // notifications to send with an answer
};

}  // namespace quenlo::lsp
