#include "app/story_map_panel.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <exception>

#include "app/story_map_view.h"
#include "foundation/project_layout.h"

namespace quenlo::app {

namespace {

// Saves come in bursts (an editor writes, renames, touches): read once after.
constexpr int pause_after_change_ms = 200;

LaidOutStory read_and_lay_out(const std::string& folder) {
    LaidOutStory story;
    story.folder = folder;
    try {
        story.graph = read_story_graph(folder);
        story.layout = lay_out_story(story.graph);
    } catch (const std::exception& e) {
        story.problem = QString::fromUtf8(e.what());
    }
    return story;
}

}  // namespace

StoryMapPanel::StoryMapPanel(QWidget* parent)
    : QWidget(parent),
      view_(new StoryMapView),
      scroll_(new QScrollArea),
      status_(new QLabel),
      watcher_(new QFileSystemWatcher(this)) {
    setObjectName("StoryMapPanel");
    scroll_->setWidget(view_);
    scroll_->setBackgroundRole(QPalette::Base);
    status_->setObjectName("StoryMapStatus");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_, 1);
    layout->addWidget(status_);

    pause_.setSingleShot(true);
    pause_.setInterval(pause_after_change_ms);
    connect(&pause_, &QTimer::timeout, this, &StoryMapPanel::refresh_now);
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, &StoryMapPanel::refresh_soon);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, &StoryMapPanel::refresh_soon);
    connect(&reading_, &QFutureWatcher<LaidOutStory>::finished, this, &StoryMapPanel::show_result);
    connect(view_, &StoryMapView::room_clicked, this, &StoryMapPanel::room_clicked);
}

void StoryMapPanel::set_project(const std::string& folder) {
    if (folder == folder_) return refresh_soon();
    folder_ = folder;
    if (!watcher_->files().isEmpty()) watcher_->removePaths(watcher_->files());
    if (!watcher_->directories().isEmpty()) watcher_->removePaths(watcher_->directories());
    if (folder_.empty()) {
        view_->show_map({}, {});
        status_->setText(tr("No project set"));
        return;
    }
    watcher_->addPath(QString::fromStdString(folder_));
    refresh_soon();
}

void StoryMapPanel::refresh_soon() {
    if (!folder_.empty()) pause_.start();
}

void StoryMapPanel::refresh_now() {
    if (reading_.isRunning()) {
        again_ = true;
        return;
    }
    watch_files();
    reading_.setFuture(QtConcurrent::run(read_and_lay_out, folder_));
}

// A file replaced by a safe write is a new file: watch the sources again.
void StoryMapPanel::watch_files() {
    const QDir dir(QString::fromStdString(folder_));
    QStringList paths;
    for (const SourceFileKind& source : source_files) {
        const QString path = dir.filePath(
            QString::fromUtf8(source.name.data(), static_cast<qsizetype>(source.name.size())));
        if (QFileInfo::exists(path) && !watcher_->files().contains(path)) paths << path;
    }
    if (!paths.isEmpty()) watcher_->addPaths(paths);
}

void StoryMapPanel::show_result() {
    LaidOutStory story = reading_.result();
    if (story.folder != folder_) {
        // Read for the project before: read the one set now.
        again_ = false;
        return refresh_soon();
    }
    if (story.problem.isEmpty()) {
        const std::size_t rooms = story.graph.rooms.size();
        const std::size_t unreachable =
            std::count_if(story.graph.rooms.begin(), story.graph.rooms.end(),
                          [](const StoryRoom& r) { return r.unreachable; });
        status_->setText(tr("%1 rooms, %2 ways, %3 unreachable")
                             .arg(rooms)
                             .arg(story.graph.passages.size())
                             .arg(unreachable));
        view_->show_map(std::move(story.graph), std::move(story.layout));
    } else {
        status_->setText(story.problem);
    }
    emit map_shown();
    if (again_) {
        again_ = false;
        refresh_soon();
    }
}

}  // namespace quenlo::app
