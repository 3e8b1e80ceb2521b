#include "core/hexfile/hex_save.h"

#include <filesystem>
#include <system_error>

#include "core/hexfile/hex_messages.h"
#include "core/hexfile/hex_writer.h"

namespace picprog {

SaveOutcome save_hex_file(const std::string& path, const MemoryImage& image,
                          const CurrentModel& model, OperationView& view,
                          const WriteFaultHook& fault) {
    std::error_code ignored;
    if (std::filesystem::exists(path, ignored) &&
        view.msg_box(overwrite_question(path), MsgKind::YesNo, kProductTitle) == kAnswerNo) {
        return {SaveStatus::Declined, {}};
    }
    // The old file is not deleted first: the atomic write replaces it only
    // when the new one is complete, so a failed save cannot lose it.
    view.disable();
    const FileWriteResult written = write_file_atomically(path, hex_file_text(image, model), fault);
    if (!written.ok) {
        view.msg_box(hex_write_failure_message(path, written.reason), MsgKind::Error,
                     kProductTitle);
        view.enable();
        view.set_status(kHexNotSavedStatus);
        return {SaveStatus::Failed, {}};
    }
    view.enable();
    view.set_status(kHexSavedStatus);
    return {SaveStatus::Saved, hex_path_label(path)};
}

}  // namespace picprog
