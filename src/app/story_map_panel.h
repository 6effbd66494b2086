#pragma once
// The story map of the window's project, kept up to date: the project's files
// are watched, and a change (or a build) reads the project and lays the map
// out again off the window's thread, a moment after the last change.

#include <QFutureWatcher>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <string>

#include "storylayout/story_layout.h"
#include "storymap/story_graph.h"

class QFileSystemWatcher;
class QLabel;
class QScrollArea;

namespace quenlo::app {

class StoryMapView;

struct LaidOutStory {
    std::string folder;
    StoryGraph graph;
    StoryLayout layout;
    QString problem;  // when it could not be laid out
};

class StoryMapPanel : public QWidget {
    Q_OBJECT
public:
    explicit StoryMapPanel(QWidget* parent = nullptr);

    // The project to show, or none when `folder` is empty.
    void set_project(const std::string& folder);
    // Reads the project again soon (after a build, or a change seen).
    void refresh_soon();

    StoryMapView* view() const { return view_; }

signals:
    void room_clicked(const QString& file, int line);
    // Each time a new map is shown.
    void map_shown();

private:
    void refresh_now();
    void show_result();
    void watch_files();

    std::string folder_;
    StoryMapView* view_;
    QScrollArea* scroll_;
    QLabel* status_;
    QFileSystemWatcher* watcher_;
    QTimer pause_;
    QFutureWatcher<LaidOutStory> reading_;
    bool again_ = false;  // a change came while the project was being read
};

}  // namespace quenlo::app
