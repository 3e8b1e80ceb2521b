// The Hardware menu's back-end entries: switching between the parallel
// port and the simulated programmer, the port diagnostics box, and
// recording a line trace into a file.

#include "gui/mainwindow/hardware_commands.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/hardware/traced_port.h"
#include "gui/dialogs/dialog_test_support.h"
#include "gui/dialogs/option_label.h"
#include "gui/dialogs/select_model_dialog.h"
#include "gui/mainwindow/dialog_commands.h"
#include "gui/mainwindow/window_fixture.h"

namespace picprog::gui_test {
namespace {

using ::testing::HasSubstr;

constexpr int kVerifyButton = 4;

std::string window_title(WindowFixture& f) {
    return f.window->windowTitle().toStdString();
}

std::string read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A scratch folder of its own (tests run in parallel processes), removed
// with the test.
struct ScratchFolder {
    QTemporaryDir dir;
    std::filesystem::path path{dir.path().toStdString()};
};

TEST(SimulatedProgrammerEntry, TickingItSwitchesAtOnceAndStoresTheChoice) {
    WindowFixture f;
    f.hardware_failure = "no parallel port found";
    f.start(false);
    EXPECT_FALSE(f.c().menusimulated->isChecked());
    f.hardware_writes.clear();

    f.c().menusimulated->trigger();

    EXPECT_TRUE(f.c().menusimulated->isChecked());
    EXPECT_EQ(f.stored(setting::kSimulatedProgrammer), "1");
    EXPECT_EQ(f.status(), "Parallel port 1 ready (simulated programmer)");
    EXPECT_THAT(window_title(f), HasSubstr(" - Simulated Programmer"));
    // The old port had its lines switched off before it was let go.
    ASSERT_FALSE(f.hardware_writes.empty());
    EXPECT_EQ(f.hardware_writes.front().first, 888);
    // The next operation runs on the simulated board.
    ASSERT_NE(f.board, nullptr);
    QTest::mouseClick(f.c().command[kVerifyButton], Qt::LeftButton);
    EXPECT_GT(f.probe->writes, 0);
}

TEST(SimulatedProgrammerEntry, UntickingItGoesBackToTheParallelPort) {
    WindowFixture f;
    f.hardware_failure = "permission denied on /dev/parport0";
    f.start(true);
    EXPECT_TRUE(f.c().menusimulated->isChecked());
    int board_writes = 0;
    f.probe->on_write = [&board_writes] { ++board_writes; };

    f.c().menusimulated->trigger();

    EXPECT_FALSE(f.c().menusimulated->isChecked());
    EXPECT_EQ(f.stored(setting::kSimulatedProgrammer), "0");
    EXPECT_GT(board_writes, 0);  // the board's lines went off before it went
    ASSERT_NE(f.hardware, nullptr);
    EXPECT_EQ(f.hardware->opened_at, 888);
    EXPECT_EQ(f.status(),
              "Parallel port 1 not available: permission denied on /dev/parport0. Tick "
              "Simulated Programmer in the Hardware menu to try the program without one.");
    EXPECT_THAT(window_title(f), ::testing::Not(HasSubstr("Simulated")));
}

TEST(SimulatedProgrammerEntry, TheStoredChoiceHoldsAtStartUpAndAForcedRunStoresNothing) {
    WindowFixture stored;
    stored.preset(setting::kSimulatedProgrammer, "1");
    stored.start(false);
    EXPECT_TRUE(stored.c().menusimulated->isChecked());
    EXPECT_EQ(stored.hardware_made, 0);
    EXPECT_EQ(stored.status(), "Parallel port 1 ready (simulated programmer)");

    WindowFixture forced;
    forced.start(true);
    EXPECT_TRUE(forced.c().menusimulated->isChecked());
    EXPECT_EQ(forced.stored(setting::kSimulatedProgrammer), "0");
}

TEST(SimulatedProgrammerEntry, IgnoredWhileAnOperationRuns) {
    WindowFixture f;
    f.start(true);
    bool tried = false;
    f.probe->on_write = [&] {
        if (!tried) {
            tried = true;
            f.window->controls().menusimulated->trigger();
        }
    };
    QTest::mouseClick(f.c().command[kVerifyButton], Qt::LeftButton);
    EXPECT_TRUE(tried);
    EXPECT_TRUE(f.c().menusimulated->isChecked());
    EXPECT_EQ(f.hardware_made, 0);
}

TEST(PortDiagnosticsEntry, WithTheSimulatedProgrammerAFreshPortIsTriedAndLetGo) {
    WindowFixture f;
    f.hardware_failure = "no parallel port found";
    f.hardware_findings = {"Parallel ports: none listed in /proc/sys/dev/parport."};
    f.start(true);
    const std::string status = f.status();

    f.c().menudiagnostics->trigger();

    EXPECT_EQ(f.hardware_made, 1);
    EXPECT_EQ(f.hardware_opens, (std::vector<int32_t>{888}));
    ASSERT_EQ(f.boxes.boxes.size(), 1u);
    const auto& box = f.boxes.boxes[0];
    EXPECT_EQ(box.kind, MsgKind::Information);
    EXPECT_EQ(box.title, "Port Diagnostics");
    EXPECT_THAT(box.text, HasSubstr("In use: the simulated programmer."));
    EXPECT_THAT(box.text, HasSubstr("Parallel port 1 not available: no parallel port found."));
    EXPECT_THAT(box.text, HasSubstr("- Parallel ports: none listed in /proc/sys/dev/parport."));
    // The simulated board is still the one in use.
    EXPECT_EQ(f.status(), status);
    EXPECT_NE(dynamic_cast<ProbeBackend*>(&f.programmer.backend()), nullptr);
}

TEST(PortDiagnosticsEntry, ThePortInUseIsAskedItselfAndTheStatusFollows) {
    WindowFixture f;
    f.hardware_findings = {"Parallel ports: parport0 at 278h."};
    f.preset(setting::kParallelPortAddress, "632");
    f.start(false);
    FakeHardware* in_use = f.hardware;
    in_use->opened_at = 0;

    f.c().menudiagnostics->trigger();

    EXPECT_EQ(f.hardware_made, 1);
    EXPECT_EQ(in_use->opened_at, 632);
    ASSERT_EQ(f.boxes.boxes.size(), 1u);
    EXPECT_THAT(f.boxes.boxes[0].text, HasSubstr("Port address: 278h (Parallel port 2)."));
    EXPECT_THAT(f.boxes.boxes[0].text, HasSubstr("Parallel port 2 can be used."));
    EXPECT_EQ(f.status(), "Parallel port 2 ready");
}

// Chooses model `number` in the Select Microcontroller dialog.
void choose_model(WindowFixture& f, int number) {
    picprog::testing::when_modal_opens([number](QWidget& modal) {
        auto* dialog = qobject_cast<SelectModelDialog*>(&modal);
        ASSERT_NE(dialog, nullptr);
        QTest::mouseClick(dialog->option(number), Qt::LeftButton);
        QTest::mouseClick(dialog->select_button(), Qt::LeftButton);
    });
    f.c().menumodel->trigger();
}

TEST(SimulatedSocket, ANewModelPutsItsOwnPartInTheSocket) {
    WindowFixture f;
    f.start(true);
    ASSERT_EQ(f.board->chip().variant().name, "16F628A");
    choose_model(f, 2);
    ASSERT_EQ(f.programmer.model.name, "16F627A");
    EXPECT_EQ(f.board->chip().variant().name, "16F627A");
    EXPECT_EQ(f.board->wiring().port_base, 888);
    EXPECT_TRUE(f.status().empty());
    // Blank Check runs against the new part, and finds it blank.
    f.window->run_operation(ChipOperation::BlankCheck);
    EXPECT_THAT(f.status(), HasSubstr("Chip is blank"));
}

TEST(SimulatedSocket, TheSameModelAgainOrTheRealPortChangesNothing) {
    WindowFixture simulated;
    simulated.start(true);
    SimulatedProgrammer* board = simulated.board;
    choose_model(simulated, 1);
    EXPECT_EQ(simulated.board, board);

    WindowFixture port;
    port.start(false);
    choose_model(port, 4);
    EXPECT_EQ(port.hardware_made, 1);
}

class LineTraceEntry : public ::testing::Test {
protected:
    void SetUp() override { f.start(true); }

    WindowFixture f;
    ScratchFolder folder;
};

TEST_F(LineTraceEntry, RecordsTheOperationsUntilUnticked) {
    const auto file = folder.path / "verify.vcd";
    f.files.trace_answer = file.string();

    f.c().menutrace->trigger();
    EXPECT_TRUE(f.c().menutrace->isChecked());
    EXPECT_EQ(f.files.trace_folders, (std::vector<std::string>{f.window->last_path()}));
    QTest::mouseClick(f.c().command[kVerifyButton], Qt::LeftButton);
    f.c().menutrace->trigger();
    EXPECT_FALSE(f.c().menutrace->isChecked());
    EXPECT_EQ(dynamic_cast<TracedPort*>(&f.programmer.backend()), nullptr);

    const std::string vcd = read_file(file);
    EXPECT_THAT(vcd, HasSubstr("$var wire 1 ! VDD $end"));
    // Verify powers the chip up and down: VDD rises and falls.
    EXPECT_THAT(vcd, HasSubstr("\n1!\n"));
    EXPECT_THAT(vcd, HasSubstr("\n0!\n"));
    // Nothing more is recorded once unticked.
    const auto size = std::filesystem::file_size(file);
    QTest::mouseClick(f.c().command[kVerifyButton], Qt::LeftButton);
    EXPECT_EQ(std::filesystem::file_size(file), size);
}

TEST_F(LineTraceEntry, CancellingTheFileChoiceRecordsNothing) {
    f.c().menutrace->trigger();
    EXPECT_FALSE(f.c().menutrace->isChecked());
    EXPECT_EQ(dynamic_cast<TracedPort*>(&f.programmer.backend()), nullptr);
    EXPECT_TRUE(f.boxes.boxes.empty());
}

TEST_F(LineTraceEntry, AFileThatCannotBeWrittenIsSaidAndNotTicked) {
    f.files.trace_answer = (folder.path / "missing-folder" / "t.vcd").string();
    f.c().menutrace->trigger();
    EXPECT_FALSE(f.c().menutrace->isChecked());
    ASSERT_EQ(f.boxes.boxes.size(), 1u);
    EXPECT_EQ(f.boxes.boxes[0].kind, MsgKind::Error);
    EXPECT_THAT(f.boxes.boxes[0].text, HasSubstr("cannot be written"));
}

TEST_F(LineTraceEntry, SwitchingTheProgrammerEndsTheRecording) {
    const auto file = folder.path / "switch.vcd";
    f.files.trace_answer = file.string();
    f.c().menutrace->trigger();
    ASSERT_TRUE(f.c().menutrace->isChecked());

    f.c().menusimulated->trigger();

    EXPECT_FALSE(f.c().menutrace->isChecked());
    EXPECT_EQ(dynamic_cast<TracedPort*>(&f.programmer.backend()), nullptr);
    EXPECT_THAT(read_file(file), HasSubstr("$enddefinitions $end"));
}

TEST(LineTraceOfThePort, ThePortNumberCommandStillReachesTheRecordedPort) {
    WindowFixture f;
    ScratchFolder folder;
    f.start(false);
    f.files.trace_answer = (folder.path / "port.vcd").string();
    f.c().menutrace->trigger();
    ASSERT_TRUE(f.c().menutrace->isChecked());
    f.hardware_opens.clear();
    f.boxes.inputs.push_back("2");
    f.c().menuport->trigger();
    EXPECT_EQ(f.hardware_opens, (std::vector<int32_t>{632}));
    EXPECT_EQ(f.status(), "Parallel port 2 ready");
    EXPECT_TRUE(f.c().menutrace->isChecked());
}

}  // namespace
}  // namespace picprog::gui_test
