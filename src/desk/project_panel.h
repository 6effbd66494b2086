#pragma once
// The project panel: the project's files by role (rooms, objects, messages,
// variables, scripts, texts, maps, pictures) and under each file the names it
// declares. Activating an entry asks to open its place.

#include <QTreeWidget>
#include <string>

namespace quenlo::language {
class LanguageProject;
}

namespace quenlo::desk {

// The role a project file plays, by its name: "Rooms", "Scripts" and so on.
QString file_role(const QString& file_name);

class ProjectPanel : public QTreeWidget {
    Q_OBJECT
public:
    explicit ProjectPanel(QWidget* parent = nullptr);

    // Lists the files of `project`'s folder and the names they declare; an
    // empty panel without a project.
    void show_project(const language::LanguageProject* project);
    // The entry of a file, or of a name under it; null when there is none.
    QTreeWidgetItem* entry(const QString& file, const QString& name = {}) const;

signals:
    void place_chosen(const std::string& file, int line);
};

}  // namespace quenlo::desk
