#include "core/devices/database_search.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace picprog {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

const fs::path kShipped = fs::path(PICPROG_SOURCE_DIR) / "data" / kDeviceDatabaseName;

// An installed tree: the user's configuration folder, <prefix>/bin with the
// program, <prefix>/share/quellmark-picprog, and a source tree's data/.
class DatabaseSearchTree : public ::testing::Test {
protected:
    DatabaseSearchTree()
        : root_(fs::temp_directory_path() /
                ("picprog-db-" + std::to_string(std::random_device{}()))) {
        for (const fs::path& folder : {config(), bin(), share(), source()}) {
            fs::create_directories(folder);
        }
    }
    ~DatabaseSearchTree() override { fs::remove_all(root_); }

    fs::path config() const { return root_ / "config"; }
    fs::path bin() const { return root_ / "usr" / "bin"; }
    fs::path share() const { return root_ / "usr" / "share" / "quellmark-picprog"; }
    fs::path source() const { return root_ / "src" / "data"; }
    std::vector<fs::path> candidates() const {
        return database_candidates(config(), bin(), source());
    }
    static void copy_shipped(const fs::path& to) {
        fs::copy_file(kShipped, to / kDeviceDatabaseName);
    }

private:
    fs::path root_;
};

TEST_F(DatabaseSearchTree, TheInstalledFolderIsFoundFromTheProgramsFolder) {
    const auto files = candidates();
    ASSERT_EQ(files.size(), 4u);
    EXPECT_EQ(files[0], config() / kDeviceDatabaseName);
    EXPECT_EQ(files[1], bin() / kDeviceDatabaseName);
    EXPECT_EQ(files[2], share() / kDeviceDatabaseName);
    EXPECT_EQ(files[3], source() / kDeviceDatabaseName);
}

TEST_F(DatabaseSearchTree, FirstReadableFileWinsInOrder) {
    copy_shipped(share());
    copy_shipped(source());
    DatabaseSearch search = find_database(candidates());
    ASSERT_EQ(search.result.status, DatabaseLoadStatus::Ok);
    EXPECT_EQ(search.file, share() / kDeviceDatabaseName);
    EXPECT_EQ(search.tried.size(), 3u);

    copy_shipped(config());
    search = find_database(candidates());
    EXPECT_EQ(search.file, config() / kDeviceDatabaseName);
    EXPECT_GT(search.result.database.model_count(), 30);
}

TEST_F(DatabaseSearchTree, MissingEverywhereNamesEveryPathTried) {
    const DatabaseSearch search = find_database(candidates());
    EXPECT_EQ(search.result.status, DatabaseLoadStatus::Unreadable);
    const std::string text = database_failure_text(search, "\r\n");
    for (const fs::path& file : candidates()) {
        EXPECT_THAT(text, HasSubstr("  " + file.string() + "\r\n"));
    }
    EXPECT_THAT(text, ::testing::Not(HasSubstr("Reason:")));
}

TEST_F(DatabaseSearchTree, AFileWithoutModelsIsReportedNotSkipped) {
    std::ofstream(config() / kDeviceDatabaseName, std::ios::binary)
        << "erasealgdef 1: begin,end\r\n";
    copy_shipped(bin());
    const DatabaseSearch search = find_database(candidates());
    EXPECT_EQ(search.result.status, DatabaseLoadStatus::NoModels);
    EXPECT_EQ(database_failure_text(search, "\n"),
              "The device database " + (config() / kDeviceDatabaseName).string() +
                  " holds no microcontroller model.\nThe program cannot run without one.\n");
}

TEST(DatabaseSearchOneFile, AFileNamedByTheUserGetsTheSystemsReason) {
    const DatabaseSearch search = find_database({"/nonexistent/picprogdevices.txt"});
    const std::string text = database_failure_text(search, "\n");
    EXPECT_THAT(text, HasSubstr("  /nonexistent/picprogdevices.txt\n"));
    EXPECT_THAT(text, HasSubstr("Reason: "));
}

}  // namespace
}  // namespace picprog
