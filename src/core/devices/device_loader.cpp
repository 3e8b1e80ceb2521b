#include "core/devices/device_loader.h"

#include <algorithm>
#include <array>
#include <system_error>

#include "core/devices/model_sizes.h"
#include "core/files/file_read.h"
#include "core/memory/decimal_text.h"
#include "core/memory/text_case.h"

namespace picprog {
namespace {

constexpr std::array<std::string_view, kAlgorithmKinds> kDefinitionKeywords = {
    "erasealgdef", "programalgdef", "readalgdef", "blankcheckalgdef", "verifyalgdef"};

constexpr std::array<std::string_view, kAlgorithmKinds> kReferenceKeys = {
    "erasealg:", "programalg:", "readalg:", "blankcheckalg:", "verifyalg:"};

constexpr std::array<std::string_view, kAlgorithmKinds> kKindNames = {"erase", "program", "read",
                                                                      "blank check", "verify"};

// Lines as the file's line rule splits them: a CR ends a line and swallows
// one LF right after it; a lone LF is ordinary text.
std::vector<std::string_view> split_lines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t cr = text.find('\r', start);
        if (cr == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, cr - start));
        start = cr + 1;
        if (start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
    return lines;
}

class Loader {
public:
    DatabaseLoadResult run(std::string_view text) {
        int number = 0;
        for (std::string_view line : split_lines(text)) {
            ++number;
            if (line.find('\n') != std::string_view::npos) {
                // Read as the file's rule says, but said plainly: an editor
                // that saved Unix line ends has merged these lines into one.
                diagnose(number,
                         "line feeds without carriage returns join several lines into one; save "
                         "the file with CR LF line ends");
            }
            if (!line.empty()) {
                take_line(number, line);
            }
        }
        drop_models_of_impossible_size();
        if (result_.database.models.empty()) {
            result_.status = DatabaseLoadStatus::NoModels;
        }
        return std::move(result_);
    }

private:
    void diagnose(int line, std::string reason) {
        result_.diagnostics.push_back({line, std::move(reason)});
    }

    void take_line(int number, std::string_view line) {
        const std::string lower = to_lower_ascii(line);
        const size_t space = line.find(' ');
        if (space == std::string_view::npos) {
            diagnose(number, "line without a space skipped");
            return;
        }
        const size_t colon = line.find(':');
        const std::string_view after_space = line.substr(space + 1);
        const std::string_view first_word = std::string_view(lower).substr(0, space);

        for (size_t kind = 0; kind < kAlgorithmKinds; ++kind) {
            if (first_word == kDefinitionKeywords[kind]) {
                define_slot(number, kind, line, colon, after_space);
                return;
            }
        }
        if (colon == std::string_view::npos) {
            return;
        }
        const std::string_view key = std::string_view(lower).substr(0, colon + 1);
        if (key == "model:") {
            start_model(number, after_space);
            return;
        }
        if (std::string* field = simple_field(number, key)) {
            *field = std::string(after_space);
            return;
        }
        for (size_t kind = 0; kind < kAlgorithmKinds; ++kind) {
            if (key == kReferenceKeys[kind]) {
                reference_slot(number, kind, after_space);
                return;
            }
        }
        if (key.find(' ') == std::string_view::npos) {
            diagnose(number,
                     "unknown key \"" + std::string(line.substr(0, colon + 1)) + "\" ignored");
        }
    }

    // The slot number of a definition or reference, or -1 (with a
    // diagnostic) when it lies outside 0 to 20.
    int slot_number(int line, std::string_view text) {
        const int32_t slot = leading_number(text);
        if (slot < 0 || slot >= kAlgorithmSlots) {
            diagnose(line,
                     "algorithm slot " + std::to_string(slot) + " outside 0 to 20, line skipped");
            return -1;
        }
        return slot;
    }

    void define_slot(int number, size_t kind, std::string_view line, size_t colon,
                     std::string_view after_space) {
        if (colon == std::string_view::npos) {
            diagnose(number, "algorithm definition without a colon skipped");
            return;
        }
        const int slot = slot_number(number, after_space);
        if (slot < 0) {
            return;
        }
        // Exactly one character after the colon (normally the blank) is
        // skipped; the rest of the line is the algorithm text.
        const size_t text_start = colon + 2;
        AlgorithmDef& def = result_.database.algorithm_slots[kind][static_cast<size_t>(slot)];
        def.kind = static_cast<AlgorithmKind>(kind);
        def.number = slot;
        def.text = text_start < line.size() ? std::string(line.substr(text_start)) : "";
    }

    // The model that key lines fill now, or nullptr (with a diagnostic) when
    // there is none or it lies beyond the dialog's room.
    DeviceModel* target_model(int number) {
        if (discarding_) {
            return nullptr;
        }
        if (result_.database.models.empty()) {
            diagnose(number, "key before the first model ignored");
            return nullptr;
        }
        return &result_.database.models.back();
    }

    void start_model(int number, std::string_view name) {
        if (result_.database.model_count() >= kMaxModels) {
            diagnose(number, "model beyond the first " + std::to_string(kMaxModels) +
                                 " ignored with its keys");
            discarding_ = true;
            return;
        }
        DeviceModel model;
        model.name = std::string(name);
        result_.database.models.push_back(std::move(model));
        model_lines_.push_back(number);
    }

    // A size no 14-bit PIC has would make every run meaningless: a huge
    // FLASH cannot even be held in memory, a negative one makes Program
    // report success having written nothing. Such a model is not offered
    // at all, so no command can run on it; the checker names it.
    void drop_models_of_impossible_size() {
        std::vector<DeviceModel> kept;
        std::vector<int> kept_lines;
        auto& models = result_.database.models;
        for (size_t i = 0; i < models.size(); ++i) {
            const std::string problem = model_size_problem(models[i]);
            if (problem.empty()) {
                kept.push_back(std::move(models[i]));
                kept_lines.push_back(model_lines_[i]);
            } else {
                diagnose(model_lines_[i],
                         "model \"" + models[i].name + "\": " + problem + "; model not offered");
            }
        }
        models = std::move(kept);
        model_lines_ = std::move(kept_lines);
        std::stable_sort(
            result_.diagnostics.begin(), result_.diagnostics.end(),
            [](const LoadDiagnostic& a, const LoadDiagnostic& b) { return a.line < b.line; });
    }

    std::string* simple_field(int number, std::string_view key) {
        std::string DeviceModel::*member = nullptr;
        if (key == "flash:") {
            member = &DeviceModel::flash;
        } else if (key == "eeprom:") {
            member = &DeviceModel::eeprom;
        } else if (key == "configerased:") {
            member = &DeviceModel::configerased;
        } else if (key == "config2used:") {
            member = &DeviceModel::config2used;
        } else if (key == "voltageseq:") {
            member = &DeviceModel::voltageseq;
        } else if (key == "progtime:") {
            member = &DeviceModel::progtime;
        } else if (key == "pagesize:") {
            member = &DeviceModel::pagesize;
        } else if (key == "deviceid:") {
            member = &DeviceModel::deviceid;
        } else if (key == "configmask:") {
            member = &DeviceModel::configmask;
        } else if (key == "osccal:") {
            member = &DeviceModel::osccal;
        } else if (key == "configcal:") {
            member = &DeviceModel::configcal;
        } else if (key == "calwords:") {
            member = &DeviceModel::calwords;
        } else if (key == "warning:") {
            member = &DeviceModel::warning;
        } else {
            return nullptr;
        }
        DeviceModel* model = target_model(number);
        if (model == nullptr) {
            return &scratch_;
        }
        return &(model->*member);
    }

    void reference_slot(int number, size_t kind, std::string_view after_space) {
        DeviceModel* model = target_model(number);
        if (model == nullptr) {
            return;
        }
        const int slot = slot_number(number, after_space);
        if (slot < 0) {
            return;
        }
        // The model copies what the slot holds now: a slot defined further
        // down the file is still empty here.
        const std::string& text =
            result_.database.algorithm_slots[kind][static_cast<size_t>(slot)].text;
        if (text.empty()) {
            diagnose(number, std::string(kKindNames[kind]) + " algorithm slot " +
                                 std::to_string(slot) + " is empty at this point");
        }
        model->algorithms[kind] = text;
    }

    DatabaseLoadResult result_;
    std::vector<int> model_lines_;  // the "model:" line of each model kept so far
    bool discarding_ = false;
    std::string scratch_;  // receives values of keys that belong to no model
};

}  // namespace

DatabaseLoadResult parse_device_database(std::string_view text) {
    DatabaseLoadResult result = Loader().run(text);
    for (size_t kind = 0; kind < kAlgorithmKinds; ++kind) {
        for (size_t slot = 0; slot < kAlgorithmSlots; ++slot) {
            result.database.algorithm_slots[kind][slot].kind = static_cast<AlgorithmKind>(kind);
            result.database.algorithm_slots[kind][slot].number = static_cast<int>(slot);
        }
    }
    return result;
}

DatabaseLoadResult load_device_database(const std::filesystem::path& file) {
    DatabaseLoadResult failure;
    failure.status = DatabaseLoadStatus::Unreadable;
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) {
        failure.error = "file not found";
        return failure;
    }
    if (std::filesystem::is_directory(file, ec)) {
        failure.error = "it is a folder, not a file";
        return failure;
    }
    const FileReadResult read = read_whole_file(file.string(), kDeviceDatabaseLimit);
    if (!read.ok) {
        failure.error = read.reason;
        return failure;
    }
    return parse_device_database(read.bytes);
}

}  // namespace picprog
