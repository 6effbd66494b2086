#include "generator/build_result.h"

namespace quenlo {

std::vector<std::string> failure_report(const BuildResult& result) {
    if (result.succeeded) return {};
    std::vector<std::string> lines = {result.error_line};
    for (const Diagnostic& diagnostic : result.diagnostics)
        for (BlockLine& line : diagnostic_block(diagnostic)) lines.push_back(std::move(line.text));
    return lines;
}

}  // namespace quenlo
