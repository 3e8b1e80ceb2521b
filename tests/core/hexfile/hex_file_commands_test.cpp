#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/hexfile/hex_load.h"
#include "core/hexfile/hex_save.h"
#include "core/hexfile/hex_writer.h"
#include "hex_test_support.h"

namespace picprog {
namespace {

namespace fs = std::filesystem;
using testing::make_model;
using testing::record;
using testing::RecordingView;
using Events = std::vector<std::string>;

// A fresh folder per test, removed afterwards.
class HexFileCommands : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() /
               ("picprog_hex_" + std::string(info->name()) + "_" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        image_.blank_image(model_);
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
    size_t files_in_dir() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(dir_), {}));
    }

    // A non-blank image large enough to take several write chunks.
    MemoryImage full_image() const {
        MemoryImage image;
        image.blank_image(model_);
        for (size_t i = 0; i < image.flash.size(); ++i)
            image.flash[i] = static_cast<int32_t>(i);
        for (size_t i = 0; i < image.eeprom.size(); ++i)
            image.eeprom[i] = 0x5A;
        return image;
    }

    fs::path dir_;
    CurrentModel model_ = make_model(2048, 128, false);
    MemoryImage image_;
    RecordingView view_;
};

TEST_F(HexFileCommands, LoadSuccessReportsWordsAndLabel) {
    write(path("ok.hex"), record("02001000"
                                 "3412") +
                              "\r\n:00000001FF\r\n");
    image_.flash[5] = 0x123;  // a previous load's word must not survive
    const LoadOutcome outcome = load_hex_file(path("ok.hex"), model_, image_, view_);
    EXPECT_TRUE(outcome.loaded);
    EXPECT_EQ(outcome.words_loaded, 9);
    EXPECT_EQ(outcome.label_hex, path("ok.hex"));
    EXPECT_EQ(image_.flash[8], 0x1234);
    EXPECT_EQ(image_.flash[5], 0x3FFF);
    EXPECT_EQ(view_.status, "Operation completed. Total 9 (.008K) program words loaded.");
    EXPECT_EQ(view_.events, (Events{"disable", "updatedisplay", "status", "enable"}));
    EXPECT_TRUE(view_.boxes.empty());
}

TEST_F(HexFileCommands, LoadWithOutOfRangeDataWarnsAndSucceeds) {
    write(path("warn.hex"), record("02400800"
                                   "0100") +
                                "\n" +
                                record("02000000"
                                       "0100"));
    const LoadOutcome outcome = load_hex_file(path("warn.hex"), model_, image_, view_);
    EXPECT_TRUE(outcome.loaded);
    ASSERT_EQ(view_.boxes.size(), 1u);
    EXPECT_EQ(view_.boxes[0].kind, MsgKind::Information);
    EXPECT_EQ(view_.boxes[0].title, kProductTitle);
    EXPECT_NE(view_.boxes[0].text.find("There are data for 1 addresses out of range:\r\n2004."),
              std::string::npos);
    EXPECT_EQ(image_.flash[0], 1);
    EXPECT_EQ(view_.events.back(), "enable");
}

TEST_F(HexFileCommands, LoadOfABadRecordBlanksTheImageAgain) {
    write(path("bad.hex"), record("02000000"
                                  "0100") +
                               "\r\n" + record("020000020000"));
    const LoadOutcome outcome = load_hex_file(path("bad.hex"), model_, image_, view_);
    EXPECT_FALSE(outcome.loaded);
    EXPECT_EQ(outcome.label_hex, "");
    EXPECT_EQ(image_.flash[0], 0x3FFF);  // stored before the bad record, then blanked
    ASSERT_EQ(view_.boxes.size(), 1u);
    EXPECT_EQ(view_.boxes[0].kind, MsgKind::Error);
    EXPECT_EQ(view_.boxes[0].title, kProductTitle);
    EXPECT_EQ(view_.boxes[0].text,
              "Input program file in Intel Hex Format contains errors.\r\n"
              "Line number 2: Invalid 'record type' field in the record.");
    EXPECT_EQ(view_.status, "HEX file not loaded!");
    EXPECT_EQ(view_.events, (Events{"disable", "msg_box", "updatedisplay", "status", "enable"}));
}

TEST_F(HexFileCommands, UnreadableFileNamesPathAndReason) {
    struct Case {
        std::string path;
        std::string reason;
    };
    write(path("plain"), "x");
    write(path("huge.hex"), "");
    fs::resize_file(path("huge.hex"), 1u << 30);  // sparse: a gigabyte that costs nothing
    const std::vector<Case> cases = {
        {path("missing.hex"), "No such file or directory"},
        {dir_.string(), "Is a directory"},
        {path("plain") + "/inside.hex", "Not a directory"},
        {"/dev/zero", "it is a character device, not a regular file"},
        {path("huge.hex"), "the file is 1073741824 bytes"},
    };
    for (const Case& c : cases) {
        RecordingView view;
        image_.flash[0] = 0x0042;
        const LoadOutcome outcome = load_hex_file(c.path, model_, image_, view);
        EXPECT_FALSE(outcome.loaded) << c.path;
        EXPECT_EQ(image_.flash[0], 0x3FFF) << c.path;
        ASSERT_EQ(view.boxes.size(), 1u) << c.path;
        EXPECT_EQ(view.boxes[0].kind, MsgKind::Error);
        EXPECT_NE(view.boxes[0].text.find(c.path), std::string::npos) << view.boxes[0].text;
        EXPECT_NE(view.boxes[0].text.find(c.reason), std::string::npos) << view.boxes[0].text;
        EXPECT_EQ(view.status, "HEX file not loaded!");
        EXPECT_EQ(view.events.back(), "enable");
    }
}

TEST_F(HexFileCommands, SaveNewFileWritesTheWholeText) {
    const MemoryImage image = full_image();
    const SaveOutcome outcome = save_hex_file(path("new.hex"), image, model_, view_);
    EXPECT_EQ(outcome.status, SaveStatus::Saved);
    EXPECT_EQ(outcome.label_hex, path("new.hex"));
    EXPECT_EQ(read(path("new.hex")), hex_file_text(image, model_));
    EXPECT_EQ(view_.status, "HEX file saved.");
    EXPECT_EQ(view_.events, (Events{"disable", "enable", "status"}));
    EXPECT_EQ(files_in_dir(), 1u);  // no temporary file left behind
}

TEST_F(HexFileCommands, OverwriteQuestionNoLeavesEverything) {
    write(path("old.hex"), "old contents");
    view_.answer = kAnswerNo;
    const SaveOutcome outcome = save_hex_file(path("old.hex"), full_image(), model_, view_);
    EXPECT_EQ(outcome.status, SaveStatus::Declined);
    EXPECT_EQ(outcome.label_hex, "");
    ASSERT_EQ(view_.boxes.size(), 1u);
    EXPECT_EQ(view_.boxes[0].text, "Do you want to overwrite file " + path("old.hex") + "?");
    EXPECT_EQ(view_.boxes[0].kind, MsgKind::YesNo);
    EXPECT_EQ(view_.boxes[0].title, kProductTitle);
    EXPECT_EQ(view_.events, Events{"msg_box"});
    EXPECT_EQ(read(path("old.hex")), "old contents");
}

TEST_F(HexFileCommands, OverwriteQuestionYesReplacesTheFile) {
    write(path("old.hex"), "old contents");
    view_.answer = kAnswerYes;
    const MemoryImage image = full_image();
    EXPECT_EQ(save_hex_file(path("old.hex"), image, model_, view_).status, SaveStatus::Saved);
    EXPECT_EQ(read(path("old.hex")), hex_file_text(image, model_));
    EXPECT_EQ(files_in_dir(), 1u);
}

TEST_F(HexFileCommands, SaveIntoAMissingOrNonFolderFails) {
    write(path("plain"), "x");
    struct Case {
        std::string path;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {path("gone") + "/out.hex", "No such file or directory"},
        {path("plain") + "/out.hex", "Not a directory"},
    };
    for (const Case& c : cases) {
        RecordingView view;
        const SaveOutcome outcome = save_hex_file(c.path, full_image(), model_, view);
        EXPECT_EQ(outcome.status, SaveStatus::Failed) << c.path;
        ASSERT_EQ(view.boxes.size(), 1u);
        EXPECT_EQ(view.boxes[0].kind, MsgKind::Error);
        EXPECT_NE(view.boxes[0].text.find(c.path), std::string::npos) << view.boxes[0].text;
        EXPECT_NE(view.boxes[0].text.find(c.reason), std::string::npos) << view.boxes[0].text;
        EXPECT_NE(view.status, "HEX file saved.");
        EXPECT_EQ(view.events.back(), "status");
        EXPECT_NE(std::find(view.events.begin(), view.events.end(), "enable"), view.events.end());
    }
    EXPECT_EQ(read(path("plain")), "x");
}

TEST_F(HexFileCommands, WriteFailureAfterPartOfTheDataKeepsTheOldFile) {
    write(path("keep.hex"), "old contents");
    std::vector<size_t> asked;
    const WriteFaultHook fail_after_first_chunk = [&asked](size_t written) -> std::string {
        asked.push_back(written);
        return written > 0 ? "No space left on device" : "";
    };
    const SaveOutcome outcome =
        save_hex_file(path("keep.hex"), full_image(), model_, view_, fail_after_first_chunk);
    EXPECT_EQ(outcome.status, SaveStatus::Failed);
    ASSERT_EQ(asked.size(), 2u);  // one chunk really written, the second refused
    EXPECT_GT(asked[1], 0u);
    EXPECT_EQ(read(path("keep.hex")), "old contents");
    EXPECT_EQ(files_in_dir(), 1u);      // the partial temporary file is gone
    ASSERT_EQ(view_.boxes.size(), 2u);  // the overwrite question, then the error
    EXPECT_EQ(view_.boxes[1].kind, MsgKind::Error);
    EXPECT_NE(view_.boxes[1].text.find(path("keep.hex")), std::string::npos);
    EXPECT_NE(view_.boxes[1].text.find("No space left on device"), std::string::npos);
    EXPECT_EQ(view_.status, "HEX file not saved!");
}

TEST_F(HexFileCommands, TargetThatIsAFolderIsNotReplaced) {
    fs::create_directories(path("folder.hex"));
    write(path("folder.hex") + "/inside", "kept");
    view_.answer = kAnswerYes;
    const SaveOutcome outcome = save_hex_file(path("folder.hex"), full_image(), model_, view_);
    EXPECT_EQ(outcome.status, SaveStatus::Failed);
    EXPECT_EQ(read(path("folder.hex") + "/inside"), "kept");
    EXPECT_EQ(files_in_dir(), 1u);
}

TEST_F(HexFileCommands, SavedFileLoadsBackTheSameImage) {
    const MemoryImage image = full_image();
    ASSERT_EQ(save_hex_file(path("trip.hex"), image, model_, view_).status, SaveStatus::Saved);
    MemoryImage reread;
    const LoadOutcome outcome = load_hex_file(path("trip.hex"), model_, reread, view_);
    EXPECT_TRUE(outcome.loaded);
    EXPECT_EQ(reread.flash, image.flash);
    EXPECT_EQ(reread.eeprom, image.eeprom);
    EXPECT_EQ(reread.config, image.config);
}

}  // namespace
}  // namespace picprog
