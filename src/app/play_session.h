#pragma once
// Playing the project in the browser. The preview server, when the program
// has one, serves the debug page on 127.0.0.1 and brings the open page up to
// date after every build, the game going on in the same room; without it (or
// without a free port) the page opens from disk. Meanwhile the project folder
// is watched, so that a source file saved in an editor builds again; a file
// the window saves itself builds at once.

#include <QObject>
#include <QStringList>
#include <QUrl>
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "generator/build_result.h"
#include "project/watch_project.h"

namespace quenlo::app {

class PlaySession : public QObject {
    Q_OBJECT
public:
    // Starts watching `project_folder` and serving its pages. Fails with
    // quenlo::Error when the folder cannot be watched.
    explicit PlaySession(std::string project_folder);
    ~PlaySession() override;  // stops watching and serving

    const std::string& project_folder() const { return folder_; }
    // The window saved a source file: the build follows now, without the
    // wait for more saves (sends source_saved at once).
    void project_saved();
    // A build starts, reading every source file: the saves seen so far need
    // no build of their own.
    void build_starting() { watcher_.forget_changes(); }
    // A build of the project ended.
    void build_finished(const BuildResult& result);
    // Where the browser finds the debug page; empty before a build wrote it.
    QUrl page_url() const { return page_; }

    struct Server;

signals:
    // A source file of the project was saved (sent to the window's thread).
    void source_saved();
    // The game's script threw while played: the lines telling where.
    void script_error(const QStringList& lines);

private:
    std::string folder_;
    std::unique_ptr<Server> server_;  // none without the preview server
    QUrl page_;
    std::atomic<bool> stop_{false};
    ProjectWatcher watcher_;
    std::thread watching_;
};

}  // namespace quenlo::app
