#pragma once
// The last phase of a build: name the pages after message 50 and write them
// into the project folder. The writing starts while the pages' scripts are
// still being checked, and nothing is put in place until every check passed.

#include <future>
#include <optional>
#include <string>

#include "foundation/safe_write.h"

namespace quenlo {

class Build;

// Stages each page (writes and syncs it under a temporary name) on a thread of
// its own as soon as it is made; commit() puts them in place. Destroyed
// uncommitted, it leaves the folder as it was. The pages must not change
// while they are staged.
class PageWriter {
public:
    // Names the pages and stages the debug page.
    explicit PageWriter(const Build& build);
    // Stages the release page, once it is made.
    void stage_release(const Build& build);
    // Fails with "Invalid file name: " + name when message 50 is not a
    // definition name, else with what failed in writing a page; then puts
    // the debug page in place, and the release page of a release build.
    void commit(Build& build);

private:
    std::optional<std::string> invalid_name_;
    std::string debug_name_;
    std::string release_name_;
    std::future<std::optional<StagedFile>> debug_;
    std::future<std::optional<StagedFile>> release_;
};

// Writes the debug page and, in a release build, the release page, as a
// PageWriter staged and committed at once.
void write_output_files(Build& build);

}  // namespace quenlo
