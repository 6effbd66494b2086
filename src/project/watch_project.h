#pragma once
// Watching a project folder for the author's saves, so that a build can follow
// each one. Only source files count: the project's ".qn*" files (which include
// "functions.qna" and "base.qn") and pictures. Quenlo's own pages (".html")
// and the temporary files of its safe writes ("<name>.tmp" and eight letters)
// never do, so a build's own output does not start another build. Editors
// that save by writing a new file and renaming it over the old one are seen
// through the rename.

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <string_view>

namespace quenlo {

// Whether a change to the file named `name` (no folder) asks for a rebuild.
bool is_watched_source(std::string_view name);

// How changes are noticed: inotify where the system has it, otherwise a
// look at the files' modification times several times a second.
enum class WatchMethod { best, polling };

class ProjectWatcher {
public:
    // Starts watching at once, so saves made during the first build count.
    // Fails with quenlo::Error when the folder cannot be watched.
    explicit ProjectWatcher(const std::string& folder, WatchMethod method = WatchMethod::best);
    ~ProjectWatcher();
    ProjectWatcher(const ProjectWatcher&) = delete;
    ProjectWatcher& operator=(const ProjectWatcher&) = delete;

    // Waits for a change to a source file, then until `settle` has passed
    // without another. True then; false as soon as `stop` is raised.
    bool wait_for_change(const std::atomic<bool>& stop,
                         std::chrono::milliseconds settle = std::chrono::milliseconds(150));
    // The owner reads every source file now (a build it starts itself after
    // its own save): the changes made so far end the wait no more. Safe to
    // call from another thread than the waiting one.
    void forget_changes() { forget_ = true; }

    class Source;

private:
    std::unique_ptr<Source> source_;
    std::atomic<bool> forget_{false};
};

}  // namespace quenlo
