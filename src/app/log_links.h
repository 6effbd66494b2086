#pragma once
// The log lines that point at a file: "Generated: " and the page a build
// wrote, and the first line of an error's location block,
// "PATH:LINE[:COLUMN]: error: TEXT", naming the source file at fault. The log
// view shows them as links.

#include <QString>
#include <optional>

namespace quenlo::app {

// The page of a "Generated: " line.
std::optional<QString> generated_page(const QString& line);

// The file a line points at: a generated page or the source file of an error.
std::optional<QString> linked_file(const QString& line);

}  // namespace quenlo::app
