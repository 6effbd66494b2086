#include "support/temp_project.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace quenlo::test {

const char* const required_project_files[21] = {
    "coverimage.qn", "help.qni",        "messages.qnr",   "objects.qno",  "rooms.qnr",
    "variables.qnv", "actions.qna",     "conditions.qna", "counters.qna", "success.qni",
    "fail.qni",      "successimage.qn", "failimage.qn",   "intro.qni",    "map1.qn",
    "mapimage1.qn",  "map2.qn",         "mapimage2.qn",   "map3.qn",      "mapimage3.qn",
    "connections.qn"};

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "quenlo-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

std::string TempFolder::file(const std::string& name) const {
    return path_ + "/" + name;
}

void TempFolder::write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(file(name), std::ios::binary);
    out << bytes;
    if (!out) throw std::runtime_error("cannot write " + file(name));
}

std::string TempFolder::read(const std::string& name) const {
    std::ifstream in(file(name), std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file(name));
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

bool TempFolder::has(const std::string& name) const {
    return fs::exists(file(name));
}

void TempFolder::remove(const std::string& name) const {
    fs::remove(file(name));
}

TempProject::TempProject(const std::map<std::string, std::string>& files) {
    for (const char* name : required_project_files) write(name, "");
    for (const auto& [name, bytes] : files) write(name, bytes);
}

}  // namespace quenlo::test
