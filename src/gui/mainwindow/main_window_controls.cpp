#include "gui/mainwindow/main_window_controls.h"

#include <QLayout>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>

#include "gui/mainwindow/buffer_table.h"
#include "gui/mainwindow/buffer_text.h"
#include "gui/mainwindow/clickable_label.h"
#include "gui/mainwindow/twips.h"

namespace picprog {
namespace {

constexpr int kClientWidthTwips = 6195;
constexpr int kClientHeightTwips = 6435;
// The designed font first, then narrow look-alikes so that the captions
// fit their labels where it is not installed.
constexpr std::array<const char*, 4> kWindowFontFamilies = {
    "Microsoft Sans Serif", "Arial", "Liberation Sans", "DejaVu Sans Condensed"};
constexpr double kWindowFontPoints = 8.25;

constexpr auto kOpenFileTip = "Click to open HEX file!";
constexpr auto kChangeModelTip = "Click to change microcontroller model!";
constexpr auto kEditCellTip = "Right click on the location to edit its value!";
constexpr auto kEditConfigTip = "Click to edit!";

struct ButtonSpec {
    const char* caption;
    TwipRect place;
};

constexpr std::array<ButtonSpec, kOperationButtons> kButtons = {{
    {"Program All", {60, 720, 1155, 315}},
    {"Read All", {1260, 720, 1095, 315}},
    {"Erase All", {2400, 720, 1095, 315}},
    {"Blank Check", {3540, 720, 1155, 315}},
    {"Verify", {4740, 720, 1095, 315}},
}};

constexpr std::array<const char*, kOperationButtons> kToolsItems = {
    "&Program All", "&Read All", "&Erase All", "&Blank Check", "&Verify"};

ClickableLabel* label(QWidget* parent, const char* caption, const TwipRect& place,
                      const char* tip = nullptr) {
    auto* l = new ClickableLabel(QString::fromUtf8(caption), parent);
    l->setGeometry(to_pixels(place));
    if (tip != nullptr) {
        l->setToolTip(QString::fromUtf8(tip));
    }
    return l;
}

QScrollBar* scroll_bar(QWidget* parent, const TwipRect& place) {
    auto* bar = new QScrollBar(Qt::Vertical, parent);
    bar->setGeometry(to_pixels(place));
    bar->setRange(0, 0);
    bar->setSingleStep(1);
    bar->setPageStep(kTableRows);
    // The wheel turns the bar that has the focus, so it must be able to
    // take it from a click as well as from the Tab key.
    bar->setFocusPolicy(Qt::StrongFocus);
    return bar;
}

BufferTable* table(QWidget* parent, const TwipRect& place) {
    auto* t = new BufferTable(parent);
    t->setGeometry(to_pixels(place));
    t->setToolTip(kEditCellTip);
    t->setMouseTracking(true);
    return t;
}

QAction* item(QMenu* menu, const char* caption) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setMenuRole(QAction::NoRole);
    return action;
}

void build_menus(QMainWindow& window, MainWindowControls& c) {
    QMenuBar* bar = window.menuBar();
    c.menu1 = bar->addMenu("&File");
    c.menuclear = item(c.menu1, "&Clear Buffer");
    c.menuopen = item(c.menu1, "&Open HEX File");
    c.menusave = item(c.menu1, "&Save Buffer As");

    c.menu3 = bar->addMenu("&Tools");
    for (int i = 0; i < kOperationButtons; ++i) {
        c.tools[static_cast<size_t>(i)] = item(c.menu3, kToolsItems[static_cast<size_t>(i)]);
    }
    c.menu3->addSeparator();
    c.menuidentify = item(c.menu3, "Identify Chip");

    c.menu4 = bar->addMenu("&Hardware");
    c.menusettings = item(c.menu4, "Settings");
    c.menucheck = item(c.menu4, "Check");
    c.menu4->addSeparator();
    c.menusimulated = item(c.menu4, "Simulated Programmer");
    c.menusimulated->setCheckable(true);
    c.menudiagnostics = item(c.menu4, "Port Diagnostics");
    c.menutrace = item(c.menu4, "Record Line Trace...");
    c.menutrace->setCheckable(true);

    c.menu5 = bar->addMenu("&Options");
    c.menumodel = item(c.menu5, "Change Microcontroller Model");
    c.menuport = item(c.menu5, "Change Parallel Port Number");
    c.menuprogtime = item(c.menu5, "Change Default Programming Time");
    c.menucolors = item(c.menu5, "Change Color Theme");
    c.menu5->addSeparator();
    c.menucheckid = item(c.menu5, "Check Device ID");
    c.menucheckid->setCheckable(true);
    c.menuverifyafter = item(c.menu5, "Verify After Programming");
    c.menuverifyafter->setCheckable(true);

    c.menu6 = bar->addMenu("Help");
    c.menuportinfo = item(c.menu6, "Parallel Port Pinout");
    c.menuabout = item(c.menu6, "About Quellmark Parallel Port PIC Programmer");
}

}  // namespace

MainWindowControls build_main_window_controls(QMainWindow& window) {
    QStringList families;
    for (const char* family : kWindowFontFamilies) {
        families << QString::fromUtf8(family);
    }
    QFont window_font;
    window_font.setFamilies(families);
    window_font.setStyleHint(QFont::SansSerif);
    window_font.setPointSizeF(kWindowFontPoints);
    window.setFont(window_font);
    window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    MainWindowControls c;
    c.client = new QWidget(&window);
    c.client->setFixedSize(twips_to_pixels(kClientWidthTwips), twips_to_pixels(kClientHeightTwips));
    c.client->setAutoFillBackground(true);
    window.setCentralWidget(c.client);
    QWidget* p = c.client;

    c.label7 = label(p, "Loaded HEX File", {60, 60, 1755, 255}, kOpenFileTip);
    c.label_hex = label(p, "", {60, 360, 6075, 255}, kOpenFileTip);
    for (size_t i = 0; i < kButtons.size(); ++i) {
        auto* button = new QPushButton(QString::fromUtf8(kButtons[i].caption), p);
        button->setGeometry(to_pixels(kButtons[i].place));
        button->setAutoDefault(false);
        c.command[i] = button;
    }
    c.label1 = label(p, "Microcontroller Model", {60, 1140, 2055, 255}, kChangeModelTip);
    c.label_ime = label(p, "", {2160, 1140, 2535, 255}, kChangeModelTip);
    c.label_info = label(p, "", {60, 1440, 4635, 255}, kChangeModelTip);
    c.label3 = label(p, "FLASH Memory", {60, 1800, 1575, 255});
    c.tabla_flash = table(p, {60, 2100, 5835, 1755});
    c.scrl1 = scroll_bar(p, {5880, 2100, 255, 1755});
    c.label4 = label(p, "EEPROM Memory", {60, 3960, 1575, 255});
    c.tabla_eeprom = table(p, {60, 4260, 3615, 1755});
    c.scrl2 = scroll_bar(p, {3660, 4260, 255, 1755});
    c.lfix[0] = label(p, "Config. Word (2007h)", {4080, 4260, 1755, 255});
    c.label_conf[0] = label(p, "", {4380, 4560, 1215, 255}, kEditConfigTip);
    c.lfix[1] = label(p, "Config. Word (2008h)", {4080, 4860, 1755, 255});
    c.label_conf[1] = label(p, "", {4380, 5160, 1215, 255}, kEditConfigTip);
    for (ClickableLabel* value : c.label_conf) {
        value->setFont(table_font());
    }
    c.label5 = label(p, "Status", {4380, 5820, 1755, 255});
    c.label_status = label(p, "", {60, 6120, 6075, 255});

    // The tables overlap their bars by one pixel column; the bars stay on top.
    c.scrl1->raise();
    c.scrl2->raise();

    QWidget::setTabOrder(c.command[0], c.command[1]);
    QWidget::setTabOrder(c.command[1], c.command[2]);
    QWidget::setTabOrder(c.command[2], c.command[3]);
    QWidget::setTabOrder(c.command[3], c.command[4]);
    QWidget::setTabOrder(c.command[4], c.tabla_flash);
    QWidget::setTabOrder(c.tabla_flash, c.tabla_eeprom);
    QWidget::setTabOrder(c.tabla_eeprom, c.scrl1);
    QWidget::setTabOrder(c.scrl1, c.scrl2);

    build_menus(window, c);
    window.layout()->setSizeConstraint(QLayout::SetFixedSize);
    return c;
}

}  // namespace picprog
