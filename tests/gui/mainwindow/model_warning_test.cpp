// A model whose "warning:" text is set (a part the programmer's voltages may
// harm) shows it in a warning box, kind 48, each way a model becomes
// current: start-up, the Select Microcontroller dialog, Identify Chip.

#include <gtest/gtest.h>

#include <QTest>

#include "gui/dialogs/dialog_test_support.h"
#include "gui/dialogs/option_label.h"
#include "gui/dialogs/select_model_dialog.h"
#include "gui/mainwindow/window_fixture.h"

namespace picprog::gui_test {
namespace {

using picprog::testing::when_modal_opens;

constexpr const char* kCaution = "16F84A: lower VPP to 11 V before programming.";

class ModelWarning : public ::testing::Test {
protected:
    // Gives the fixture's model `name` a caution, with the blanks the file
    // may carry around it.
    void caution(const std::string& name) {
        for (DeviceModel& model : f.programmer.database.models) {
            if (model.name == name) {
                model.warning = std::string("  ") + kCaution + " ";
            }
        }
    }
    std::vector<ScriptedBoxes::Box> warnings() const {
        std::vector<ScriptedBoxes::Box> out;
        for (const auto& box : f.boxes.boxes) {
            if (box.kind == MsgKind::Warning) {
                out.push_back(box);
            }
        }
        return out;
    }
    void choose_in_dialog(int32_t number) {
        when_modal_opens([number](QWidget& modal) {
            auto* dialog = qobject_cast<SelectModelDialog*>(&modal);
            ASSERT_NE(dialog, nullptr);
            QTest::mouseClick(dialog->option(number), Qt::LeftButton);
            QTest::mouseClick(dialog->select_button(), Qt::LeftButton);
        });
        f.c().menumodel->trigger();
    }

    WindowFixture f;
};

TEST_F(ModelWarning, StartUpWithTheStoredModelShowsIt) {
    caution("16F84A");
    f.preset("Microcontroller Model", "4");
    f.start();
    ASSERT_EQ(f.programmer.model.name, "16F84A");
    const auto shown = warnings();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, kCaution);
    EXPECT_EQ(shown[0].title, "Quellmark Parallel Port PIC Programmer");
    EXPECT_EQ(static_cast<int>(shown[0].kind), 48);
}

TEST_F(ModelWarning, ChoosingTheModelInTheDialogShowsItAndOthersShowNothing) {
    caution("16F84A");
    f.start();
    EXPECT_TRUE(warnings().empty());

    choose_in_dialog(4);
    ASSERT_EQ(f.programmer.model.name, "16F84A");
    ASSERT_EQ(warnings().size(), 1u);
    EXPECT_EQ(warnings()[0].text, kCaution);

    choose_in_dialog(3);
    ASSERT_EQ(f.programmer.model.name, "16F88");
    EXPECT_EQ(warnings().size(), 1u);
}

// The socket holds the start-up model's part, a 16F628A; with the 16F627A
// selected, Identify Chip offers the 16F628A and Yes selects it.
TEST_F(ModelWarning, IdentifyChipSelectingTheModelShowsIt) {
    f.start();
    ASSERT_EQ(f.programmer.model.name, "16F628A");
    caution("16F628A");
    for (DeviceModel& model : f.programmer.database.models) {
        model.deviceid = model.name == "16F628A" ? "1060 3FE0" : "1040 3FE0";
    }
    f.programmer.model.index = 2;
    select_model(f.programmer.model, f.programmer.database);
    ASSERT_EQ(f.programmer.model.name, "16F627A");
    f.boxes.answers = {kAnswerYes};
    f.c().menuidentify->trigger();
    EXPECT_EQ(f.programmer.model.name, "16F628A");
    ASSERT_EQ(f.boxes.boxes.size(), 2u);
    EXPECT_EQ(f.boxes.boxes[0].kind, MsgKind::YesNo);
    EXPECT_EQ(f.boxes.boxes[1].kind, MsgKind::Warning);
    EXPECT_EQ(f.boxes.boxes[1].text, kCaution);
}

}  // namespace
}  // namespace picprog::gui_test
