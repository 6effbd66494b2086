#pragma once
// Project folders for tests: a fresh temporary folder holding the 21 files a
// project needs (empty unless a test gives them content), removed afterwards.

#include <map>
#include <string>

namespace quenlo::test {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const;
    void write(const std::string& name, const std::string& bytes) const;
    std::string read(const std::string& name) const;
    bool has(const std::string& name) const;
    void remove(const std::string& name) const;

private:
    std::string path_;
};

// The 21 files every project must have, in the order the project check uses.
extern const char* const required_project_files[21];

class TempProject : public TempFolder {
public:
    // All required files, empty, then the given ones with their content.
    explicit TempProject(const std::map<std::string, std::string>& files = {});
};

}  // namespace quenlo::test
