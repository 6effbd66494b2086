#include "foundation/safe_write.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <chrono>
#include <filesystem>
#include <random>
#include <set>
#include <thread>
#include <vector>

#include "support/temp_project.h"

namespace quenlo {
namespace {

namespace fs = std::filesystem;

std::set<std::string> names_in(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

mode_t permission_bits(const std::string& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0);
    return status.st_mode & 07777;
}

// A build killed while it writes its page leaves the old page or the new
// one, never a part of one; its temporary file goes with the next write.
TEST(SafeWrite, KilledWritesLeaveOldOrNewPageAndTheNextWriteClearsUp) {
    test::TempFolder folder;
    const std::string page = folder.file("avventura.html");
    const std::string old_page(3'000'000, 'o');
    const std::string new_page(20'000'000, 'n');
    write_file_safely(page, old_page);

    std::mt19937 random(42);
    int temporaries_left = 0;
    for (int run = 0; run < 12; ++run) {
        const pid_t writer = ::fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {
            write_file_safely(page, new_page);
            ::_exit(0);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 40'000));
        ::kill(writer, SIGKILL);
        ::waitpid(writer, nullptr, 0);

        const std::string now = folder.read("avventura.html");
        EXPECT_TRUE(now == old_page || now == new_page) << "a page of " << now.size() << " bytes";
        temporaries_left += static_cast<int>(names_in(folder.path()).size()) - 1;
        write_file_safely(page, old_page);
        EXPECT_EQ(names_in(folder.path()), std::set<std::string>{"avventura.html"});
    }
    // Some kill must have caught a write in the middle, or nothing was tried.
    EXPECT_GT(temporaries_left, 0);
}

TEST(SafeWrite, RemovesOnlyUnlockedTemporariesOfItsOwnPage) {
    test::TempFolder folder;
    const std::set<std::string> kept = {
        "avventura.html.tmp",          // no letters after the marker
        "avventura.html.tmpABCDEFGH",  // not the letters Quenlo uses
        "avventura.html.tmpabc",       // too short
        "altro.html.tmpabcdefgh",      // another page's
        "avventura.html.tmpholdlock",  // a writer holds it (see below)
        "appunti.txt",
    };
    for (const std::string& name : kept) folder.write(name, "x");
    folder.write("avventura.html.tmpk1lled00", "half a page");

    // A live writer's temporary file is locked: it must survive.
    const int live = ::open(folder.file("avventura.html.tmpholdlock").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(live, LOCK_EX), 0);
    write_file_safely(folder.file("avventura.html"), "page");
    ::close(live);

    std::set<std::string> expected = kept;
    expected.insert("avventura.html");
    EXPECT_EQ(names_in(folder.path()), expected);
}

// Two builds of one project at once: each one's clean-up must leave the
// other's temporary file alone, so neither fails.
TEST(SafeWrite, ConcurrentWritesOfOnePageAllSucceed) {
    test::TempFolder folder;
    const std::string page = folder.file("avventura.html");
    std::vector<pid_t> writers;
    for (char fill : {'a', 'b'}) {
        const pid_t writer = ::fork();
        ASSERT_GE(writer, 0);
        if (writer == 0) {
            try {
                for (int i = 0; i < 200; ++i) write_file_safely(page, std::string(20'000, fill));
            } catch (...) {
                ::_exit(1);
            }
            ::_exit(0);
        }
        writers.push_back(writer);
    }
    for (pid_t writer : writers) {
        int status = -1;
        ::waitpid(writer, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(names_in(folder.path()), std::set<std::string>{"avventura.html"});
    const std::string last = folder.read("avventura.html");
    EXPECT_TRUE(last == std::string(20'000, 'a') || last == std::string(20'000, 'b'));
}

// A page staged while its script is checked: the old page stays until the
// verdict; a refused page leaves nothing behind, an accepted one replaces it.
TEST(SafeWrite, AStagedPageReplacesTheOldOneOnlyWhenCommitted) {
    test::TempFolder folder;
    const std::string page = folder.file("avventura.html");
    write_file_safely(page, "old");
    {
        const StagedFile refused(page, {"new ", "page"});
        EXPECT_EQ(folder.read("avventura.html"), "old");
        EXPECT_EQ(names_in(folder.path()).size(), 2u);  // the page and its temporary
    }
    EXPECT_EQ(names_in(folder.path()), std::set<std::string>{"avventura.html"});
    StagedFile accepted(page, {"new ", "page"});
    accepted.commit();
    EXPECT_EQ(folder.read("avventura.html"), "new page");
    EXPECT_EQ(names_in(folder.path()), std::set<std::string>{"avventura.html"});
}

TEST(SafeWrite, ReplacedFileKeepsItsPermissionBits) {
    test::TempFolder folder;
    const std::string page = folder.file("avventura.html");
    write_file_safely(page, "first");
    ASSERT_EQ(::chmod(page.c_str(), 0640), 0);
    write_file_safely(page, "second");
    EXPECT_EQ(permission_bits(page), 0640u);
    EXPECT_EQ(folder.read("avventura.html"), "second");

    // A new file gets the usual bits of a new file.
    const mode_t mask = ::umask(022);
    write_file_safely(folder.file("nuovo.html"), "new");
    ::umask(mask);
    EXPECT_EQ(permission_bits(folder.file("nuovo.html")), 0644u);
}

}  // namespace
}  // namespace quenlo
