// Replacing a file: a writer killed at any moment, or one whose write fails, leaves either
// the old content or the new, never a mix, and no scratch files.

#include "host/AtomicFile.h"

#include "support/FileText.h"
#include "support/TempDir.h"

#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <unistd.h>

namespace bw::host {
namespace {

using test::fileText;

std::vector<std::string> namesIn(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(AtomicFileTest, ReplacesContentKeepingPermissions) {
    test::TempDir dir;
    const std::filesystem::path file = dir.path() / "label.json";
    std::ofstream(file) << "old";
    ::chmod(file.c_str(), 0640);
    AtomicFile::write(file, "new content");
    EXPECT_EQ(fileText(file), "new content");
    struct stat st {};
    ::stat(file.c_str(), &st);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"label.json"});
}

TEST(AtomicFileTest, WriterKilledAtAnyMomentLeavesOldOrNewContent) {
    test::TempDir dir;
    const std::filesystem::path file = dir.path() / "label.json";
    const std::string a(3 << 20, 'a');
    const std::string b(2 << 20, 'b');
    AtomicFile::write(file, a);
    std::mt19937 random(20240315);
    std::uniform_int_distribution<int> pause(0, 40000);
    for (int round = 0; round < 12; ++round) {
        const pid_t child = ::fork();
        if (child == 0) {
            for (bool which = false;; which = !which) AtomicFile::write(file, which ? a : b);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(pause(random)));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::string now = fileText(file);
        EXPECT_TRUE(now == a || now == b) << "round " << round << ": " << now.size() << " bytes";
        // Only an unlucky kill between naming the new file and renaming it leaves one.
        for (const std::string& name : namesIn(dir.path()))
            EXPECT_TRUE(name == "label.json" || name == ".label.json.new") << name;
    }
}

TEST(AtomicFileTest, FailedWriteLeavesTheOldFileAndNoScratch) {
    test::TempDir dir;
    const std::filesystem::path file = dir.path() / "label.json";
    AtomicFile::write(file, "old");
    const pid_t child = ::fork();
    if (child == 0) {
        // A full disk: writes past 64 KiB fail.
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64 << 10, 64 << 10};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            AtomicFile::write(file, std::string(1 << 20, 'x'));
        } catch (const std::system_error& e) {
            const bool named = std::string(e.what()).find(file.string()) != std::string::npos;
            ::_exit(named ? 0 : 2);
        }
        ::_exit(1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: no error raised, 2: the error does not name the file";
    EXPECT_EQ(fileText(file), "old");
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"label.json"});
}

} // namespace
} // namespace bw::host
