#include "core/hexfile/hex_load.h"

#include "core/files/file_read.h"
#include "core/hexfile/hex_messages.h"
#include "core/hexfile/hex_reader.h"

namespace picprog {
namespace {

// Shows the failure, leaves nothing of the file in the image.
LoadOutcome fail_load(const std::string& message, const CurrentModel& model, MemoryImage& image,
                      OperationView& view) {
    view.msg_box(message, MsgKind::Error, kProductTitle);
    image.blank_image(model);
    view.updatedisplay();
    view.set_status(kHexNotLoadedStatus);
    view.enable();
    return {};
}

}  // namespace

LoadOutcome load_hex_file(const std::string& path, const CurrentModel& model, MemoryImage& image,
                          OperationView& view) {
    view.disable();
    image.blank_image(model);

    const FileReadResult file = read_whole_file(path, kHexFileLimit);
    if (!file.ok) {
        return fail_load(hex_read_failure_message(path, file.reason), model, image, view);
    }
    const HexParseResult parsed = parse_hex_file(file.bytes, model, image);
    if (!parsed.ok()) {
        return fail_load(hex_error_message(parsed), model, image, view);
    }
    if (!parsed.out_of_range.empty()) {
        view.msg_box(out_of_range_warning(parsed.out_of_range), MsgKind::Information,
                     kProductTitle);
    }
    view.updatedisplay();
    view.set_status(loaded_status_text(parsed.words_loaded));
    view.enable();
    return {true, parsed.words_loaded, hex_path_label(path)};
}

}  // namespace picprog
