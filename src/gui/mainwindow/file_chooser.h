#pragma once

#include <string>
#include <string_view>

class QWidget;

namespace picprog {

// Captions and filter of the two HEX file dialogs.
inline constexpr std::string_view kOpenHexTitle = "Select HEX File To Open";
inline constexpr std::string_view kSaveHexTitle = "Save Buffer As";
inline constexpr std::string_view kHexFileFilter = "Intel HEX files (*.hex);;All files (*.*)";
inline constexpr std::string_view kTraceTitle = "Record Line Trace";
inline constexpr std::string_view kTraceFileFilter =
    "Value Change Dump files (*.vcd);;All files (*.*)";

// Asks the user for a file. The main window only talks to this interface,
// so tests can choose files without a native dialog.
class FileChooser {
public:
    virtual ~FileChooser() = default;

    // The chosen existing file's full path, or "" when the user cancelled.
    // The dialog starts in `folder` with an empty file name.
    virtual std::string open_file(QWidget* parent, std::string_view folder) = 0;
    // The chosen file to write, or "" when cancelled. Never asks about
    // overwriting: the caller asks with its own message box.
    virtual std::string save_file(QWidget* parent, std::string_view folder) = 0;
    // The file to record a line trace into, or "" when cancelled; asks
    // before an existing file is replaced.
    virtual std::string trace_file(QWidget* parent, std::string_view folder) = 0;
};

// The platform's file dialogs.
class DialogFileChooser : public FileChooser {
public:
    std::string open_file(QWidget* parent, std::string_view folder) override;
    std::string save_file(QWidget* parent, std::string_view folder) override;
    std::string trace_file(QWidget* parent, std::string_view folder) override;
};

}  // namespace picprog
