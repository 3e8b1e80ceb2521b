// The main window itself: layout, captions, menus, the ten controls that
// disable() covers, the theme, the About box and the event pump.

#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "gui/mainwindow/about_text.h"
#include "gui/mainwindow/event_pump.h"
#include "gui/mainwindow/port_backends.h"
#include "gui/mainwindow/window_fixture.h"

namespace picprog::gui_test {
namespace {

struct Placement {
    const char* name;
    std::function<QWidget*(MainWindowControls&)> control;
    QRect twips;  // left, top, width, height
    const char* caption;
    const char* tip;
};

QRect pixels(const QRect& twips) {
    return {twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15};
}

TEST(MainWindowLayout, ControlsSitAtTheirDesignedPlacesWithCaptionsAndTips) {
    using C = MainWindowControls;
    const char* open_tip = "Click to open HEX file!";
    const char* model_tip = "Click to change microcontroller model!";
    const char* cell_tip = "Right click on the location to edit its value!";
    const std::vector<Placement> table = {
        {"Label7", [](C& c) { return c.label7; }, {60, 60, 1755, 255}, "Loaded HEX File", open_tip},
        {"label_hex", [](C& c) { return c.label_hex; }, {60, 360, 6075, 255}, "", open_tip},
        {"Command1", [](C& c) { return c.command[0]; }, {60, 720, 1155, 315}, "Program All", ""},
        {"Command2", [](C& c) { return c.command[1]; }, {1260, 720, 1095, 315}, "Read All", ""},
        {"Command3", [](C& c) { return c.command[2]; }, {2400, 720, 1095, 315}, "Erase All", ""},
        {"Command4", [](C& c) { return c.command[3]; }, {3540, 720, 1155, 315}, "Blank Check", ""},
        {"Command5", [](C& c) { return c.command[4]; }, {4740, 720, 1095, 315}, "Verify", ""},
        {"Label1",
         [](C& c) { return c.label1; },
         {60, 1140, 2055, 255},
         "Microcontroller Model",
         model_tip},
        {"label_ime",
         [](C& c) { return c.label_ime; },
         {2160, 1140, 2535, 255},
         "16F628A",
         model_tip},
        {"label_info",
         [](C& c) { return c.label_info; },
         {60, 1440, 4635, 255},
         "FLASH: 2048,  EEPROM: 128",
         model_tip},
        {"Label3", [](C& c) { return c.label3; }, {60, 1800, 1575, 255}, "FLASH Memory", ""},
        {"tabla_flash",
         [](C& c) { return c.tabla_flash; },
         {60, 2100, 5835, 1755},
         nullptr,
         cell_tip},
        {"scrl1", [](C& c) { return c.scrl1; }, {5880, 2100, 255, 1755}, nullptr, ""},
        {"Label4", [](C& c) { return c.label4; }, {60, 3960, 1575, 255}, "EEPROM Memory", ""},
        {"tabla_eeprom",
         [](C& c) { return c.tabla_eeprom; },
         {60, 4260, 3615, 1755},
         nullptr,
         cell_tip},
        {"scrl2", [](C& c) { return c.scrl2; }, {3660, 4260, 255, 1755}, nullptr, ""},
        {"lfix0",
         [](C& c) { return c.lfix[0]; },
         {4080, 4260, 1755, 255},
         "Config. Word (2007h)",
         ""},
        {"label_conf0",
         [](C& c) { return c.label_conf[0]; },
         {4380, 4560, 1215, 255},
         "3FFF",
         "Click to edit!"},
        {"lfix1",
         [](C& c) { return c.lfix[1]; },
         {4080, 4860, 1755, 255},
         "Config. Word (2008h)",
         ""},
        {"label_conf1",
         [](C& c) { return c.label_conf[1]; },
         {4380, 5160, 1215, 255},
         "",
         "Click to edit!"},
        {"Label5", [](C& c) { return c.label5; }, {4380, 5820, 1755, 255}, "Status", ""},
        {"label_status",
         [](C& c) { return c.label_status; },
         {60, 6120, 6075, 255},
         "Parallel port 1 ready (simulated programmer)",
         ""},
    };
    WindowFixture f;
    f.start();
    EXPECT_EQ(f.c().client->size(), QSize(413, 429));
    for (const Placement& p : table) {
        QWidget* w = p.control(f.c());
        EXPECT_EQ(w->geometry(), pixels(p.twips)) << p.name;
        EXPECT_EQ(w->toolTip().toStdString(), p.tip) << p.name;
        if (p.caption != nullptr) {
            const auto* label = qobject_cast<QLabel*>(w);
            const auto* button = qobject_cast<QPushButton*>(w);
            const QString text = label != nullptr ? label->text() : button->text();
            EXPECT_EQ(text.toStdString(), p.caption) << p.name;
        }
        if (const auto* label = qobject_cast<QLabel*>(w)) {
            EXPECT_EQ(label->alignment(), Qt::AlignCenter) << p.name;
            EXPECT_EQ(label->frameShape(), QFrame::Box) << p.name;
        }
    }
}

TEST(MainWindowLayout, WindowHasAFixedSizeAndNoMaximizeButton) {
    WindowFixture f;
    f.start();
    EXPECT_EQ(f.window->minimumSize(), f.window->maximumSize());
    EXPECT_FALSE(f.window->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(f.window->windowFlags().testFlag(Qt::WindowCloseButtonHint));
}

TEST(MainWindowLayout, TabMovesThroughButtonsThenTheTableBars) {
    WindowFixture f;
    f.start();
    f.c().command[0]->setFocus();
    std::vector<QWidget*> visited;
    for (int i = 0; i < 7; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited.push_back(QApplication::focusWidget());
    }
    // The tables pass the focus straight on to their bars.
    const std::vector<QWidget*> expected = {f.c().command[1], f.c().command[2], f.c().command[3],
                                            f.c().command[4], f.c().scrl1,      f.c().scrl2,
                                            f.c().command[0]};
    EXPECT_EQ(visited, expected);
}

TEST(MainWindowMenus, CaptionsAccessKeysAndNoShortcuts) {
    WindowFixture f;
    f.start();
    const std::vector<std::pair<QString, QStringList>> expected = {
        {"&File", {"&Clear Buffer", "&Open HEX File", "&Save Buffer As"}},
        {"&Tools",
         {"&Program All", "&Read All", "&Erase All", "&Blank Check", "&Verify", "",
          "Identify Chip"}},
        {"&Hardware",
         {"Settings", "Check", "", "Simulated Programmer", "Port Diagnostics",
          "Record Line Trace..."}},
        {"&Options",
         {"Change Microcontroller Model", "Change Parallel Port Number",
          "Change Default Programming Time", "Change Color Theme", "", "Check Device ID",
          "Verify After Programming"}},
        {"Help", {"Parallel Port Pinout", "About Quellmark Parallel Port PIC Programmer"}},
    };
    const QList<QAction*> menus = f.window->menuBar()->actions();
    ASSERT_EQ(menus.size(), static_cast<qsizetype>(expected.size()));
    for (size_t i = 0; i < expected.size(); ++i) {
        QAction* menu = menus[static_cast<qsizetype>(i)];
        EXPECT_EQ(menu->text(), expected[i].first);
        QStringList items;
        for (QAction* item : menu->menu()->actions()) {
            items << item->text();
            EXPECT_TRUE(item->shortcut().isEmpty()) << item->text().toStdString();
        }
        EXPECT_EQ(items, expected[i].second);
    }
}

std::vector<bool> ten_controls(WindowFixture& f) {
    std::vector<bool> enabled;
    for (QMenu* menu : f.c().menus()) {
        enabled.push_back(menu->menuAction()->isEnabled());
    }
    for (QPushButton* button : f.c().command) {
        enabled.push_back(button->isEnabled());
    }
    return enabled;
}

// The picture of `status` equals that of a label holding `shown` alone.
void expect_paints(ClickableLabel* status, const QString& shown, QWidget* parent) {
    ClickableLabel alone(shown, parent);
    alone.setGeometry(status->geometry());
    alone.setPalette(status->palette());
    alone.setFont(status->font());
    ASSERT_TRUE(alone.text_fits()) << shown.toStdString();
    EXPECT_EQ(status->grab().toImage(), alone.grab().toImage()) << shown.toStdString();
}

TEST(MainWindowStatusLine, AMissingPortShowsAWholeShortTextAndTheReasonInTheTip) {
    WindowFixture f;
    f.start();
    const StatusText line = hardware_port_status(
        888,
        "no parallel port found (the parport driver is not loaded: sudo modprobe "
        "parport_pc ppdev)");
    f.window->set_status(line);
    ClickableLabel* status = f.c().label_status;
    EXPECT_EQ(status->text().toStdString(), line.text);
    EXPECT_EQ(status->toolTip().toStdString(), line.text);
    expect_paints(status, "Parallel port 1 not available. See Hardware > Port Diagnostics.",
                  f.window.get());
}

TEST(MainWindowStatusLine, OtherLongMessagesShowTheirLeadingSentencesOrHeadline) {
    WindowFixture f;
    f.start();
    ClickableLabel* status = f.c().label_status;
    const std::string filler(300, 'x');
    f.window->set_status("Chip programmed. Verify found 3 differences. " + filler + ".");
    EXPECT_EQ(status->toolTip().toStdString(), status->text().toStdString());
    expect_paints(status, "Chip programmed. Verify found 3 differences.", f.window.get());

    f.window->set_status("Cannot read the file: " + filler);
    expect_paints(status, "Cannot read the file.", f.window.get());

    // Nothing whole fits: the text is cut with an ellipsis at its end.
    f.window->set_status(filler + " " + filler);
    const QString cut = status->fontMetrics().elidedText(status->text(), Qt::ElideRight,
                                                         status->contentsRect().width());
    EXPECT_TRUE(cut.endsWith(QChar(0x2026)) || cut.endsWith("..."));
    expect_paints(status, cut, f.window.get());

    f.window->clear_buffer();
    EXPECT_TRUE(status->toolTip().isEmpty());
}

TEST(MainWindowCommands, DisableAndEnableCoverFiveMenusAndFiveButtons) {
    WindowFixture f;
    f.start();
    f.window->disable();
    EXPECT_EQ(ten_controls(f), std::vector<bool>(10, false));
    // The labels and scroll bars are left alone.
    EXPECT_TRUE(f.c().label_hex->isEnabled());
    EXPECT_TRUE(f.c().scrl1->isEnabled());
    f.window->enable();
    EXPECT_EQ(ten_controls(f), std::vector<bool>(10, true));
}

TEST(MainWindowCommands, AboutShowsNineLinesInAnOkBox) {
    WindowFixture f;
    f.start();
    f.c().menuabout->trigger();
    ASSERT_EQ(f.boxes.boxes.size(), 1u);
    const ScriptedBoxes::Box& box = f.boxes.boxes[0];
    EXPECT_EQ(box.kind, MsgKind::Ok);
    EXPECT_EQ(box.title, "Quellmark Parallel Port PIC Programmer");
    EXPECT_EQ(box.text, about_text());
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = box.text.find("\r\n", start)) != std::string::npos; start = end + 2) {
        lines.push_back(box.text.substr(start, end - start));
    }
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(start, box.text.size()) << "the last line ends in CR LF too";
    EXPECT_EQ(lines[0], "Quellmark Parallel Port PIC Programmer");
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[4],
              "This software is supplied as is in goodwill that it will successfully serve its "
              "purpose, but without any warranties.");
    EXPECT_EQ(lines[6], "");
    EXPECT_EQ(lines[7], "Send bug reports and suggestions to:");
}

TEST(MainWindowTheme, ThemeColoursReachEveryThemedControl) {
    WindowFixture f;
    f.preset(setting::kColorTheme, "Bloods");
    f.start();
    const ColorTheme& t = find_theme("Bloods").colors;
    auto back = [](QWidget* w) { return w->palette().color(QPalette::Window); };
    auto text = [](QWidget* w) { return w->palette().color(QPalette::WindowText); };
    MainWindowControls& c = f.c();
    EXPECT_EQ(back(c.client), t.window_back);
    EXPECT_EQ(back(c.label7), t.caption_back);
    EXPECT_EQ(text(c.label7), t.caption_text);
    EXPECT_EQ(back(c.label1), t.model_caption_back);
    EXPECT_EQ(back(c.label_ime), t.name_back);
    EXPECT_EQ(back(c.label5), t.name_back);
    EXPECT_EQ(back(c.label_info), t.info_back);
    EXPECT_EQ(text(c.label_info), t.info_text);
    EXPECT_EQ(back(c.label3), t.section_back);
    EXPECT_EQ(back(c.label4), t.section_back);
    EXPECT_EQ(back(c.lfix[0]), t.mark_back);
    EXPECT_EQ(back(c.label_hex), t.field_back);
    EXPECT_EQ(text(c.label_status), t.field_text);
    EXPECT_EQ(back(c.label_conf[1]), t.field_back);
    // The tables keep black on white.
    EXPECT_EQ(c.tabla_flash->palette().color(QPalette::Base), QColor(Qt::white));
}

TEST(MainWindowEventPump, PassesEventsOnOnlyEveryFifteenMilliseconds) {
    int64_t now = 1000;
    RateLimitedPump pump([&now] { return now; });
    int delivered = 0;
    auto post = [&delivered] { QTimer::singleShot(0, [&delivered] { ++delivered; }); };

    post();
    EXPECT_TRUE(pump.run());  // the first pass is never held back
    EXPECT_EQ(delivered, 1);

    post();
    now += 14;
    EXPECT_FALSE(pump.run());
    EXPECT_EQ(delivered, 1);
    now += 1;
    EXPECT_TRUE(pump.run());
    EXPECT_EQ(delivered, 2);

    post();
    pump.run_now();
    EXPECT_EQ(delivered, 3);
    now += 10;
    EXPECT_FALSE(pump.run()) << "run_now restarts the interval";
}

}  // namespace
}  // namespace picprog::gui_test
