#pragma once
// A browser started as a child process with a fresh profile folder, which
// goes with it: closing ends the process (politely, then by force) and removes
// the folder.

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

namespace quenlo {

class BrowserProcess {
public:
    // Starts `path` with `arguments`; `profile_prefix` names the fresh
    // profile folder, passed to the arguments where they hold "{profile}".
    // With `pipes`, the child reads commands on fd 3 and writes answers on
    // fd 4, and to_child() and from_child() are the parent's ends.
    // `prepare` may write into the profile folder before the browser starts.
    BrowserProcess(const std::string& path, std::vector<std::string> arguments, bool pipes,
                   const std::function<void(const std::string&)>& prepare = {});
    ~BrowserProcess();
    BrowserProcess(const BrowserProcess&) = delete;
    BrowserProcess& operator=(const BrowserProcess&) = delete;

    int to_child() const { return to_child_; }
    int from_child() const { return from_child_; }
    const std::string& profile() const { return profile_; }
    // Waits up to `milliseconds` for the process to end by itself, then ends it.
    void close(int milliseconds);

private:
    pid_t pid_ = -1;
    int to_child_ = -1;
    int from_child_ = -1;
    std::string profile_;
};

}  // namespace quenlo
