#pragma once
// The projects set lately, most recent first, kept in the settings so that the
// next run can offer them again and set the last one at start.

#include <string>
#include <vector>

class QSettings;

namespace quenlo::app {

class RecentProjects {
public:
    static constexpr int limit = 8;

    explicit RecentProjects(QSettings& settings) : settings_(settings) {}

    std::vector<std::string> folders() const;
    // Puts `folder` first, dropping an older mention of it and any beyond the limit.
    void add(const std::string& folder);

private:
    QSettings& settings_;
};

}  // namespace quenlo::app
