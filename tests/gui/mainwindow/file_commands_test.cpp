// Open HEX File and Save Buffer As through the window: the file chooser,
// "Last Path", the loaded-file label, the overwrite question and the status.

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <sstream>

#include "core/hexfile/hex_writer.h"
#include "gui/mainwindow/file_commands.h"
#include "gui/mainwindow/window_fixture.h"

namespace picprog::gui_test {
namespace {

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void write_file(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

class FileCommands : public ::testing::Test {
protected:
    void SetUp() override {
        f.start();
        folder = dir.path().toStdString() + "/";
    }

    // A HEX file of the current model with words 0..count-1 counting up
    // and EEPROM byte 0 = 5Ah.
    std::string make_hex(const std::string& name, int32_t count) {
        MemoryImage image;
        image.blank_image(f.programmer.model);
        for (int32_t i = 0; i < count; ++i) {
            image.flash[static_cast<size_t>(i)] = 0x100 + i;
        }
        image.eeprom[0] = 0x5A;
        image.config[1] = 0x3F10;
        const std::string path = folder + name;
        write_file(path, hex_file_text(image, f.programmer.model));
        return path;
    }

    QTemporaryDir dir;
    std::string folder;
    WindowFixture f;
};

TEST_F(FileCommands, OpenLoadsTheFileAndRemembersItsFolder) {
    f.files.open_answer = make_hex("blink.hex", 1536);
    f.c().menuopen->trigger();

    ASSERT_EQ(f.files.open_folders, std::vector<std::string>{"/programs/picprog/"});
    EXPECT_EQ(f.status(), "Operation completed. Total 1536 (1.5K) program words loaded.");
    EXPECT_EQ(f.c().label_hex->text().toStdString(), folder + "blink.hex");
    EXPECT_EQ(f.window->last_path(), folder);
    EXPECT_EQ(f.stored(setting::kLastPath), folder);
    EXPECT_EQ(f.programmer.image.flash[1535], 0x100 + 1535);
    EXPECT_EQ(f.flash_text().substr(0, 22), "000000: 0100 0101 0102");
    EXPECT_EQ(f.c().label_conf[0]->text().toStdString(), "3F10");

    // The next dialog starts in that folder.
    f.files.open_answer.clear();
    f.c().menuopen->trigger();
    EXPECT_EQ(f.files.open_folders.back(), folder);
}

TEST_F(FileCommands, BothLabelsOpenTheFileToo) {
    f.files.open_answer = make_hex("a.hex", 8);
    QTest::mouseClick(f.c().label7, Qt::LeftButton);
    QTest::mouseClick(f.c().label_hex, Qt::LeftButton);
    EXPECT_EQ(f.files.open_folders.size(), 2u);
    EXPECT_EQ(f.status(), "Operation completed. Total 8 (.007K) program words loaded.");
}

TEST_F(FileCommands, CancelledDialogChangesNothing) {
    f.window->set_status("before");
    f.c().menuopen->trigger();
    f.c().menusave->trigger();
    EXPECT_EQ(f.status(), "before");
    EXPECT_EQ(f.stored(setting::kLastPath), "/programs/picprog/");
    EXPECT_TRUE(f.boxes.boxes.empty());
}

TEST_F(FileCommands, LongPathsAreShortenedToTheirLastSeventyCharacters) {
    const std::string sub = folder + std::string(60, 'd') + "/";
    std::filesystem::create_directories(sub);
    f.files.open_answer = sub + "program.hex";
    write_file(f.files.open_answer, ":00000001FF\r\n");
    f.c().menuopen->trigger();
    const std::string label = f.c().label_hex->text().toStdString();
    EXPECT_EQ(label, "... " + f.files.open_answer.substr(f.files.open_answer.size() - 70));
}

TEST_F(FileCommands, BadFileLeavesABlankBufferAndSaysSo) {
    f.files.open_answer = make_hex("good.hex", 4);
    f.c().menuopen->trigger();
    ASSERT_EQ(f.programmer.image.flash[0], 0x100);

    f.files.open_answer = folder + "bad.hex";
    write_file(f.files.open_answer, ":0400000000010101F9\r\n:0400000003FF0101F8\r\n");
    f.c().menuopen->trigger();

    EXPECT_EQ(f.status(), "HEX file not loaded!");
    EXPECT_EQ(f.c().label_hex->text().toStdString(), "");
    EXPECT_EQ(f.programmer.image.flash[0], 0x3FFF);
    EXPECT_EQ(f.flash_text().substr(0, 12), "000000: 3FFF");
    ASSERT_EQ(f.boxes.boxes.size(), 1u);
    EXPECT_EQ(f.boxes.boxes[0].kind, MsgKind::Error);
    EXPECT_NE(f.boxes.boxes[0].text.find("Line number 2"), std::string::npos)
        << f.boxes.boxes[0].text;
    // The commands are usable again.
    EXPECT_TRUE(f.c().command[0]->isEnabled());
}

TEST_F(FileCommands, SaveWritesAFileThatLoadsBackTheSame) {
    f.programmer.image.flash[3] = 0x0ABC;
    f.programmer.image.eeprom[2] = 0x42;
    f.files.save_answer = folder + "out.hex";
    f.c().menusave->trigger();

    EXPECT_EQ(f.status(), "HEX file saved.");
    EXPECT_EQ(f.c().label_hex->text().toStdString(), folder + "out.hex");
    EXPECT_EQ(f.stored(setting::kLastPath), folder);
    EXPECT_EQ(read_file(folder + "out.hex"), hex_file_text(f.programmer.image, f.programmer.model));

    f.c().menuclear->trigger();
    f.files.open_answer = folder + "out.hex";
    f.c().menuopen->trigger();
    EXPECT_EQ(f.programmer.image.flash[3], 0x0ABC);
    EXPECT_EQ(f.programmer.image.eeprom[2], 0x42);
}

TEST_F(FileCommands, OverwriteAnsweredNoKeepsTheOldFileAndCaptions) {
    const std::string path = folder + "keep.hex";
    write_file(path, "old contents");
    f.window->set_status("before");
    f.files.save_answer = path;
    f.boxes.answers = {kAnswerNo};
    f.c().menusave->trigger();

    ASSERT_EQ(f.boxes.boxes.size(), 1u);
    EXPECT_EQ(f.boxes.boxes[0].kind, MsgKind::YesNo);
    EXPECT_EQ(f.boxes.boxes[0].text, "Do you want to overwrite file " + path + "?");
    EXPECT_EQ(read_file(path), "old contents");
    EXPECT_EQ(f.status(), "before");
    EXPECT_EQ(f.c().label_hex->text().toStdString(), "");
    // The folder was taken before the question.
    EXPECT_EQ(f.stored(setting::kLastPath), folder);
}

TEST_F(FileCommands, OverwriteAnsweredYesReplacesTheFile) {
    const std::string path = folder + "replace.hex";
    write_file(path, "old contents");
    f.files.save_answer = path;
    f.boxes.answers = {kAnswerYes};
    f.c().menusave->trigger();
    EXPECT_EQ(f.status(), "HEX file saved.");
    EXPECT_EQ(read_file(path), hex_file_text(f.programmer.image, f.programmer.model));
}

TEST_F(FileCommands, UnwritableTargetIsNeverReportedAsSaved) {
    f.files.save_answer = folder + "missing-folder/out.hex";
    f.window->set_label_hex("previous.hex");
    f.c().menusave->trigger();
    EXPECT_NE(f.status(), "HEX file saved.");
    EXPECT_EQ(f.c().label_hex->text().toStdString(), "previous.hex");
    ASSERT_FALSE(f.boxes.boxes.empty());
    EXPECT_EQ(f.boxes.boxes.back().kind, MsgKind::Error);
    EXPECT_TRUE(f.c().command[0]->isEnabled());
}

TEST(FileCommandsPath, ChosenPathSplitsAtTheLastSeparator) {
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {"/home/user/hex/blink.hex", "/home/user/hex/", "blink.hex"},
        {"/blink.hex", "/", "blink.hex"},
        {"blink.hex", "", "blink.hex"},
        {"/a.b/c", "/a.b/", "c"},
    };
    for (const auto& [path, folder, name] : cases) {
        const ChosenPath split = split_chosen_path(path);
        EXPECT_EQ(split.folder, folder) << path;
        EXPECT_EQ(split.file_name, name) << path;
    }
}

}  // namespace
}  // namespace picprog::gui_test
