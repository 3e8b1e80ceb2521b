#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/files/atomic_file_write.h"
#include "core/files/file_read.h"

namespace picprog {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

// A fresh folder per test, removed afterwards.
class FileSafety : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() /
               ("picprog_files_" + std::string(info->name()) + "_" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    static void write(const std::string& file, const std::string& text) {
        std::ofstream(file, std::ios::binary) << text;
    }
    static std::string read(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::vector<std::string> names() const {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(dir_)) {
            found.push_back(entry.path().filename().string());
        }
        std::sort(found.begin(), found.end());
        return found;
    }

    fs::path dir_;
};

TEST_F(FileSafety, SaveThroughALinkReplacesItsFileAndKeepsTheLink) {
    fs::create_directories(path("real"));
    write(path("real/target.hex"), "old");
    fs::create_symlink("real/target.hex", path("link.hex"));
    fs::create_symlink("link.hex", path("link2.hex"));  // a chain of links too

    ASSERT_TRUE(write_file_atomically(path("link2.hex"), "new").ok);
    EXPECT_TRUE(fs::is_symlink(path("link.hex")));
    EXPECT_TRUE(fs::is_symlink(path("link2.hex")));
    EXPECT_EQ(read(path("real/target.hex")), "new");
    EXPECT_EQ(names(), (std::vector<std::string>{"link.hex", "link2.hex", "real"}));
}

TEST_F(FileSafety, PathsThatAreNoRegularFileAreRefusedAndLeftAsTheyAre) {
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
    fs::create_symlink("nowhere.hex", path("dangling.hex"));
    fs::create_directories(path("folder.hex"));
    struct Case {
        std::string path;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {path("pipe"), "named pipe"},
        {path("dangling.hex"), "symbolic link to a file that does not exist"},
        {path("folder.hex"), "folder"},
        {"/dev/null", "character device"},
    };
    for (const Case& c : cases) {
        const FileWriteResult result = write_file_atomically(c.path, "data");
        EXPECT_FALSE(result.ok) << c.path;
        EXPECT_THAT(result.reason, HasSubstr(c.reason)) << c.path;
    }
    EXPECT_TRUE(fs::is_fifo(path("pipe")));
    EXPECT_TRUE(fs::is_symlink(path("dangling.hex")));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(names(), (std::vector<std::string>{"dangling.hex", "folder.hex", "pipe"}));
}

TEST_F(FileSafety, TemporariesLeftByKilledSavesNeverBlockASave) {
    // The names earlier versions used, every one of them taken.
    write(path("state.txt.part"), "stale");
    for (int i = 1; i < 16; ++i) {
        write(path("state.txt.part") + std::to_string(i), "stale");
    }
    EXPECT_TRUE(write_file_atomically(path("state.txt"), "saved").ok);
    EXPECT_EQ(read(path("state.txt")), "saved");

    const size_t before = names().size();
    const WriteFaultHook full_disk = [](size_t) { return std::string("No space left on device"); };
    EXPECT_FALSE(write_file_atomically(path("state.txt"), "lost", full_disk).ok);
    EXPECT_EQ(names().size(), before);  // its own temporary is gone again
    EXPECT_EQ(read(path("state.txt")), "saved");
}

TEST_F(FileSafety, ReplacedFileKeepsItsPermissionBits) {
    for (const fs::perms mode : {fs::perms(0600), fs::perms(0640), fs::perms(0755)}) {
        write(path("keep.hex"), "old");
        fs::permissions(path("keep.hex"), mode);
        ASSERT_TRUE(write_file_atomically(path("keep.hex"), "new").ok);
        EXPECT_EQ(fs::status(path("keep.hex")).permissions(), mode);
        EXPECT_EQ(read(path("keep.hex")), "new");
    }
}

TEST_F(FileSafety, ReadsRefuseDevicesPipesAndFilesOverTheCap) {
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);  // must not block the read
    fs::create_symlink("/dev/zero", path("zero-link"));
    write(path("big.hex"), "");
    fs::resize_file(path("big.hex"), kHexFileLimit.max_bytes + 1);  // sparse: costs nothing
    struct Case {
        std::string path;
        FileReadStatus status;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {"/dev/zero", FileReadStatus::NotRegular, "character device"},
        {path("zero-link"), FileReadStatus::NotRegular, "character device"},
        {path("pipe"), FileReadStatus::NotRegular, "named pipe"},
        {path("big.hex"), FileReadStatus::TooLarge,
         "the file is 16777217 bytes, more than the 16777216 bytes allowed for a HEX file"},
        {dir_.string(), FileReadStatus::Unreadable, "Is a directory"},
    };
    for (const Case& c : cases) {
        const FileReadResult result = read_whole_file(c.path, kHexFileLimit);
        EXPECT_FALSE(result.ok) << c.path;
        EXPECT_EQ(result.status, c.status) << c.path;
        EXPECT_THAT(result.reason, HasSubstr(c.reason)) << c.path;
        EXPECT_TRUE(result.bytes.empty()) << c.path;
    }
}

TEST_F(FileSafety, AFileAtTheCapIsReadWhole) {
    const ReadLimit limit{8, "a test file"};
    write(path("eight"), "12345678");
    const FileReadResult read = read_whole_file(path("eight"), limit);
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.bytes, "12345678");
    write(path("nine"), "123456789");
    EXPECT_EQ(read_whole_file(path("nine"), limit).status, FileReadStatus::TooLarge);
}

}  // namespace
}  // namespace picprog
