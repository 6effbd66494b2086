#include "project/watch_project.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <cstdio>
#include <thread>

#include "foundation/error.h"
#include "support/temp_project.h"

namespace quenlo {
namespace {

using namespace std::chrono_literals;

TEST(WatchedSource, SourcesCountButPagesBackupsAndTemporariesDoNot) {
    for (const char* name : {"rooms.qnr", "functions.qna", "base.qn", "MAP1.QN", "map1.gif",
                             "map_example.gif", "cover.PNG"})
        EXPECT_TRUE(is_watched_source(name)) << name;
    for (const char* name : {"ilfaro.html", "ilfaro_debug.html", "ilfaro.html.tmpab12cd34",
                             "map1.qn.tmpab12cd34", "rooms.qnr~", ".rooms.qnr.swp", "4913",
                             ".qnr", "notes.txt", "rooms.qnr.bak"})
        EXPECT_FALSE(is_watched_source(name)) << name;
}

// Raises a stop flag after a while, so that a wait that sees nothing ends;
// gone early when the wait ended by itself.
class StopLater {
public:
    explicit StopLater(std::chrono::milliseconds after)
        : thread_([this, after] {
              std::unique_lock lock(mutex_);
              if (!done_.wait_for(lock, after, [this] { return finished_; })) stop = true;
          }) {}
    ~StopLater() {
        {
            std::lock_guard lock(mutex_);
            finished_ = true;
        }
        done_.notify_all();
        thread_.join();
    }
    std::atomic<bool> stop{false};

private:
    std::mutex mutex_;
    std::condition_variable done_;
    bool finished_ = false;
    std::thread thread_;
};

class WatchProject : public ::testing::TestWithParam<WatchMethod> {
protected:
    test::TempProject project{{{"rooms.qnr", "{*1}\r\n_rA_\r\nA.\r\n"}}};
    ProjectWatcher watcher{project.path(), GetParam()};
};

TEST_P(WatchProject, OwnPagesAndTemporaryFilesStartNoBuild) {
    project.write("ilfaro_debug.html", "<html>debug</html>");
    project.write("ilfaro.html.tmpab12cd34", "<html>half</html>");
    project.write("rooms.qnr~", "old");
    project.write(".rooms.qnr.swp", "swap");
    StopLater stopper(600ms);
    EXPECT_FALSE(watcher.wait_for_change(stopper.stop));
}

TEST_P(WatchProject, SaveByRenameStartsABuild) {
    project.write(".goutputstream-X1Y2Z3", "{*1}\r\n_rA_\r\nB, much longer now.\r\n");
    ASSERT_EQ(std::rename(project.file(".goutputstream-X1Y2Z3").c_str(),
                          project.file("rooms.qnr").c_str()),
              0);
    StopLater stopper(5s);
    EXPECT_TRUE(watcher.wait_for_change(stopper.stop));
}

TEST_P(WatchProject, ABurstOfSavesIsOneChange) {
    std::thread saver([this] {
        for (int k = 0; k < 5; ++k) {
            project.write("objects.qno", std::string(static_cast<std::size_t>(k + 1), 'x'));
            std::this_thread::sleep_for(30ms);
        }
    });
    {
        StopLater stopper(5s);
        EXPECT_TRUE(watcher.wait_for_change(stopper.stop));
    }
    saver.join();
    StopLater stopper(600ms);
    EXPECT_FALSE(watcher.wait_for_change(stopper.stop));
}

// A save the owner builds at once is forgotten, while it waits or before;
// the next save by someone else still counts.
TEST_P(WatchProject, ForgottenSaveStartsNoBuildButTheNextOneDoes) {
    std::thread owner([this] {
        std::this_thread::sleep_for(200ms);
        project.write("rooms.qnr", "{*1}\r\n_rA_\r\nThe owner's save.\r\n");
        watcher.forget_changes();
    });
    {
        StopLater stopper(800ms);
        EXPECT_FALSE(watcher.wait_for_change(stopper.stop));
    }
    owner.join();
    project.write("rooms.qnr", "{*1}\r\n_rA_\r\nAn editor's save, longer.\r\n");
    StopLater stopper(5s);
    EXPECT_TRUE(watcher.wait_for_change(stopper.stop));
}

TEST(WatchProjectFolder, AMissingFolderCannotBeWatched) {
    EXPECT_THROW(ProjectWatcher("/nonexistent/quenlo/project"), Error);
    EXPECT_THROW(ProjectWatcher("/nonexistent/quenlo/project", WatchMethod::polling), Error);
}

INSTANTIATE_TEST_SUITE_P(Methods, WatchProject,
                         ::testing::Values(WatchMethod::best, WatchMethod::polling),
                         [](const auto& info) {
                             return info.param == WatchMethod::best ? "Best" : "Polling";
                         });

}  // namespace
}  // namespace quenlo
