#pragma once
// What the preview learns from one build: whether it succeeded and its log,
// which names the pages it wrote and, after a failure, where it went wrong.

#include <string>
#include <string_view>
#include <vector>

#include "foundation/build_log.h"

namespace quenlo {

struct BuildOutcome {
    std::string project_folder;  // as the build was given it
    bool succeeded = false;
    std::vector<std::string> log;  // the lines as shown, one entry per line
};

// Passes every log line on to another sink and keeps a copy of it, so that
// the lines of a build can be read back once it is over.
class RecordingLog : public LogSink {
public:
    explicit RecordingLog(LogSink& shown) : shown_(shown) {}
    void append_line(LogColour colour, std::string_view text) override;
    void clear() override;

    // The lines recorded since the last call, which starts the next record.
    std::vector<std::string> take_lines();

private:
    LogSink& shown_;
    std::vector<std::string> lines_;
};

// The pages a successful build wrote, in the order it logged them: the debug
// page first, then the release page of a release build.
std::vector<std::string> generated_pages(const std::vector<std::string>& log);

// The lines from the last that starts with "Error: " to the end of the log,
// without trailing empty lines: the error, then where it lies. Empty when no
// line says "Error: ".
std::vector<std::string> error_block(const std::vector<std::string>& log);

}  // namespace quenlo
