#include "project/watch_project.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <thread>
#include <utility>

#include "foundation/error.h"

#ifdef __linux__
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

namespace quenlo {

namespace {

// How often the stop flag is looked at while nothing happens.
constexpr milliseconds stop_tick(20);
// How often the polling watcher looks at the modification times.
constexpr milliseconds poll_interval(100);

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string lowered(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(), lower);
    return out;
}

}  // namespace

// "rooms.qnr~" (a backup) and "map1.qn.tmpab12cd34" (a safe write on its way)
// end in something else than letters after ".qn", so they do not count.
bool is_watched_source(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || dot == 0) return false;
    const std::string extension = lowered(name.substr(dot));
    if (extension.starts_with(".qn"))
        return std::all_of(extension.begin() + 3, extension.end(),
                           [](char c) { return c >= 'a' && c <= 'z'; });
    for (std::string_view picture : {".gif", ".png", ".jpg", ".jpeg", ".bmp"})
        if (extension == picture) return true;
    return false;
}

// Where changes come from: true when a source file changed within `wait`.
class ProjectWatcher::Source {
public:
    virtual ~Source() = default;
    virtual bool changed_within(milliseconds wait) = 0;
    // Takes every change made until now as seen.
    virtual void drop_changes() = 0;
};

namespace {

// Compares the modification times and sizes of the source files with those
// of the last look.
class PollingSource : public ProjectWatcher::Source {
public:
    explicit PollingSource(std::string folder) : folder_(std::move(folder)) {
        std::error_code ec;
        if (!fs::is_directory(folder_, ec))
            throw Error("Cannot watch folder \"" + folder_ + "\". Not a folder");
        seen_ = look();
        last_look_ = Clock::now();
    }

    bool changed_within(milliseconds wait) override {
        std::this_thread::sleep_for(wait);
        if (Clock::now() - last_look_ < poll_interval) return false;
        last_look_ = Clock::now();
        Snapshot now = look();
        const bool changed = now != seen_;
        seen_ = std::move(now);
        return changed;
    }

    void drop_changes() override {
        seen_ = look();
        last_look_ = Clock::now();
    }

private:
    using Snapshot = std::map<std::string, std::pair<fs::file_time_type, std::uintmax_t>>;

    Snapshot look() const {
        Snapshot files;
        std::error_code ec;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder_, ec)) {
            const std::string name = entry.path().filename().string();
            if (!is_watched_source(name)) continue;
            std::error_code stat_error;
            const auto time = entry.last_write_time(stat_error);
            const auto size = entry.file_size(stat_error);
            if (!stat_error) files[name] = {time, size};
        }
        return files;
    }

    std::string folder_;
    Snapshot seen_;
    Clock::time_point last_look_;
};

#ifdef __linux__
// The kernel's notifications for the folder: a file written and closed,
// renamed into or out of the folder, created, removed or changed.
class InotifySource : public ProjectWatcher::Source {
public:
    explicit InotifySource(const std::string& folder)
        : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        constexpr std::uint32_t mask = IN_CLOSE_WRITE | IN_MODIFY | IN_MOVED_TO | IN_MOVED_FROM |
                                       IN_CREATE | IN_DELETE | IN_ATTRIB | IN_ONLYDIR;
        if (fd_ < 0 || ::inotify_add_watch(fd_, folder.c_str(), mask) < 0) {
            const std::string reason = std::strerror(errno);
            if (fd_ >= 0) ::close(fd_);
            throw Error("Cannot watch folder \"" + folder + "\". " + reason);
        }
    }
    ~InotifySource() override { ::close(fd_); }

    bool changed_within(milliseconds wait) override {
        pollfd ready{fd_, POLLIN, 0};
        if (::poll(&ready, 1, static_cast<int>(wait.count())) <= 0) return false;
        return read_events();
    }

    // The kernel queues an event before the write that caused it returns,
    // so whatever the owner saved is in the queue by now.
    void drop_changes() override { read_events(); }

private:
    // Reads every pending event; true when one names a source file.
    bool read_events() {
        alignas(inotify_event) char buffer[16384];
        bool changed = false;
        for (;;) {
            const ssize_t length = ::read(fd_, buffer, sizeof buffer);
            if (length <= 0) return changed;
            for (ssize_t at = 0; at < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                if (event->len > 0 && is_watched_source(event->name)) changed = true;
                // Too many events to tell: better one build too many.
                if (event->mask & IN_Q_OVERFLOW) changed = true;
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
    }

    int fd_;
};
#endif

std::unique_ptr<ProjectWatcher::Source> make_source(const std::string& folder, WatchMethod method) {
#ifdef __linux__
    if (method == WatchMethod::best) return std::make_unique<InotifySource>(folder);
#endif
    (void)method;
    return std::make_unique<PollingSource>(folder);
}

}  // namespace

ProjectWatcher::ProjectWatcher(const std::string& folder, WatchMethod method)
    : source_(make_source(folder, method)) {}

ProjectWatcher::~ProjectWatcher() = default;

bool ProjectWatcher::wait_for_change(const std::atomic<bool>& stop, milliseconds settle) {
    bool changed = false;
    Clock::time_point last_change;
    for (;;) {
        if (stop) return false;
        if (forget_.exchange(false)) {
            source_->drop_changes();
            changed = false;
        }
        if (!changed) {
            if (source_->changed_within(stop_tick)) {
                changed = true;
                last_change = Clock::now();
            }
            continue;
        }
        const auto quiet = std::chrono::duration_cast<milliseconds>(Clock::now() - last_change);
        if (quiet >= settle) return true;
        if (source_->changed_within(std::min(settle - quiet, stop_tick)))
            last_change = Clock::now();
    }
}

}  // namespace quenlo
