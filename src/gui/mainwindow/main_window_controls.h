#pragma once

#include <array>

class QAction;
class QMainWindow;
class QMenu;
class QPushButton;
class QScrollBar;
class QWidget;

namespace picprog {

class BufferTable;
class ClickableLabel;

// Number of chip operation buttons (and of Tools items).
constexpr int kOperationButtons = 5;

// Every control of the main window, by its role. Owned by the window (Qt
// parent-child); these are plain pointers for the window's helpers.
struct MainWindowControls {
    QWidget* client = nullptr;  // the client area below the menu bar

    ClickableLabel* label7 = nullptr;     // "Loaded HEX File"
    ClickableLabel* label_hex = nullptr;  // path of the loaded file
    // "Program All", "Read All", "Erase All", "Blank Check", "Verify".
    std::array<QPushButton*, kOperationButtons> command{};
    ClickableLabel* label1 = nullptr;      // "Microcontroller Model"
    ClickableLabel* label_ime = nullptr;   // model name
    ClickableLabel* label_info = nullptr;  // model sizes
    ClickableLabel* label3 = nullptr;      // "FLASH Memory"
    BufferTable* tabla_flash = nullptr;
    QScrollBar* scrl1 = nullptr;
    ClickableLabel* label4 = nullptr;  // "EEPROM Memory"
    BufferTable* tabla_eeprom = nullptr;
    QScrollBar* scrl2 = nullptr;
    // Captions "Config. Word (2007h)" / "(2008h)" and the two values.
    std::array<ClickableLabel*, 2> lfix{};
    std::array<ClickableLabel*, 2> label_conf{};
    ClickableLabel* label5 = nullptr;        // "Status"
    ClickableLabel* label_status = nullptr;  // the status line

    QMenu* menu1 = nullptr;  // "&File"
    QMenu* menu3 = nullptr;  // "&Tools"
    QMenu* menu4 = nullptr;  // "&Hardware"
    QMenu* menu5 = nullptr;  // "&Options"
    QMenu* menu6 = nullptr;  // "Help"
    QAction* menuclear = nullptr;
    QAction* menuopen = nullptr;
    QAction* menusave = nullptr;
    // "&Program All" ... "&Verify", in the order of the buttons.
    std::array<QAction*, kOperationButtons> tools{};
    QAction* menuidentify = nullptr;  // "Identify Chip", after the five operations
    QAction* menusettings = nullptr;
    QAction* menucheck = nullptr;
    QAction* menusimulated = nullptr;  // checkable: the simulated programmer in use
    QAction* menudiagnostics = nullptr;
    QAction* menutrace = nullptr;  // checkable: a line trace is being recorded
    QAction* menumodel = nullptr;
    QAction* menuport = nullptr;
    QAction* menuprogtime = nullptr;
    QAction* menucolors = nullptr;
    QAction* menucheckid = nullptr;      // checkable: "Check Device ID"
    QAction* menuverifyafter = nullptr;  // checkable: "Verify After Programming"
    QAction* menuportinfo = nullptr;
    QAction* menuabout = nullptr;

    // The five menus in the order disable() and enable() treat them.
    std::array<QMenu*, 5> menus() const { return {menu1, menu3, menu4, menu5, menu6}; }
};

// Builds the fixed layout inside `window`: the client area of 6195 x 6435
// twips with every control at its designed place, captions, tool tips, the
// tab order and the five menus. The window gets its font, a fixed size and
// no maximize button. Nothing is connected yet.
MainWindowControls build_main_window_controls(QMainWindow& window);

}  // namespace picprog
