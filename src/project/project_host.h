#pragma once
// What the project commands (set project, new project) act on: the workspace,
// the log, the dialogs and the parts of the window that show which project is
// set. The window provides all of them; the tests provide recording ones.

#include <string>
#include <string_view>

namespace quenlo {

class BuildLog;
class Dialogs;
struct Workspace;

class ProjectView {
public:
    virtual ~ProjectView() = default;
    virtual void set_title(std::string_view title) = 0;
    // Enables the Project and Tools menus when a project is set, disables them
    // otherwise; "New project" and "Set project" stay enabled either way.
    virtual void set_project_menus(bool project_set) = 0;
};

struct ProjectHost {
    Workspace& workspace;
    BuildLog& log;
    Dialogs& dialogs;
    ProjectView& view;
};

// "Quenlo v3.6 - " and the project folder, or "< no project selected >" when
// the folder is empty.
std::string window_title(std::string_view project_folder);

}  // namespace quenlo
