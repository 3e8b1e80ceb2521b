#include "cli/database_commands.h"

#include <algorithm>
#include <array>
#include <iomanip>
#include <map>

#include "cli/progress_bar.h"

#include "cli/database_search.h"
#include "cli/model_choice.h"
#include "core/devices/current_model.h"
#include "core/engine/algorithm_check.h"
#include "core/trial/model_trial.h"

namespace picprog {
namespace {

constexpr std::array<std::string_view, kAlgorithmKinds> kListNames{"erase", "program", "read",
                                                                   "blank check", "verify"};
constexpr int kNumberWidth = 4;
constexpr int kNameWidth = 20;
constexpr int kSizeWidth = 7;

DatabaseSearch load_for_command(const std::string& file, const ChipOptions& options,
                                const CliContext& context) {
    if (!file.empty()) {
        return find_database({file});
    }
    if (!options.database.empty()) {
        return find_database({options.database});
    }
    return find_database(
        database_candidates(user_config_folder(context.environment), context.program_folder));
}

std::string model_label(int32_t number, const DeviceModel& model) {
    return "model " + std::to_string(number) + " \"" + model.name + "\"";
}

// The name as a person would tell two models apart: case and surrounding
// blanks do not count.
std::string name_key(std::string_view name) {
    while (!name.empty() && name.front() == ' ') {
        name.remove_prefix(1);
    }
    while (!name.empty() && name.back() == ' ') {
        name.remove_suffix(1);
    }
    std::string key(name);
    std::transform(key.begin(), key.end(), key.begin(), [](char c) {
        return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    });
    return key;
}

void check_model(int32_t number, const DeviceDatabase& database, std::vector<std::string>& out) {
    CurrentModel current;
    current.index = number;
    select_model(current, database);
    const DeviceModel& model = *database.model(number);
    for (size_t kind = 0; kind < kAlgorithmKinds; ++kind) {
        const std::string prefix =
            model_label(number, model) + ", " + std::string(kListNames[kind]) + " list";
        if (model.algorithms[kind].empty()) {
            out.push_back(prefix + ": no algorithm (the operation would end the program)");
            continue;
        }
        const auto problems = check_instruction_list(current.lists[kind], current.page_size);
        for (const ListProblem& problem : problems) {
            out.push_back(prefix + ", instruction " + std::to_string(problem.position) + " \"" +
                          problem.instruction + "\": " + problem.reason);
        }
    }
}

// "[#####.....]  12/38 PIC16F877A" on a terminal, redrawn in place.
void draw_trial_progress(const Console& console, int32_t number, int32_t count,
                         std::string_view name, size_t& drawn_width) {
    if (!console.err_is_terminal) {
        return;
    }
    const int cells =
        count == 0 ? 0 : static_cast<int>(int64_t{kProgressBarCells} * number / count);
    std::string line = "[" + std::string(static_cast<size_t>(cells), '#') +
                       std::string(static_cast<size_t>(kProgressBarCells - cells), '.') + "]  " +
                       std::to_string(number) + "/" + std::to_string(count) + " " +
                       std::string(name);
    const size_t width = line.size();
    if (width < drawn_width) {
        line += std::string(drawn_width - width, ' ');
    }
    console.err << '\r' << line;
    console.err.flush();
    drawn_width = std::max(width, drawn_width);
}

void clear_trial_progress(const Console& console, size_t drawn_width) {
    if (drawn_width > 0) {
        console.err << '\r' << std::string(drawn_width, ' ') << '\r';
        console.err.flush();
    }
}

}  // namespace

TrialSummary simulation_problems(const DeviceDatabase& database, const Console& console,
                                 int32_t only_model) {
    TrialSummary summary;
    size_t drawn_width = 0;
    const int32_t count = database.model_count();
    for (int32_t number = 1; number <= count; ++number) {
        if (only_model != 0 && number != only_model) {
            continue;
        }
        const DeviceModel& model = *database.model(number);
        std::vector<std::string> list_problems;
        check_model(number, database, list_problems);
        if (!list_problems.empty()) {
            continue;  // already reported; a run would only repeat them
        }
        draw_trial_progress(console, number - 1, count, model.name, drawn_width);
        const ModelTrial trial = try_model(database, number);
        if (trial.verdict == TrialVerdict::NotSimulated) {
            summary.not_simulated.push_back(model_label(number, model) +
                                            ": not simulated (the simulator has no family for "
                                            "this part), its algorithms were not run");
        }
        for (const std::string& problem : trial.problems) {
            summary.problems.push_back(model_label(number, model) + " on the simulated chip, " +
                                       problem);
        }
    }
    draw_trial_progress(console, count, count, "", drawn_width);
    clear_trial_progress(console, drawn_width);
    return summary;
}

std::vector<std::string> database_problems(const DatabaseLoadResult& loaded) {
    std::vector<std::string> problems;
    for (const LoadDiagnostic& diagnostic : loaded.diagnostics) {
        problems.push_back("line " + std::to_string(diagnostic.line) + ": " + diagnostic.reason);
    }
    const DeviceDatabase& database = loaded.database;
    std::map<std::string, int32_t> first_with_name;
    for (int32_t number = 1; number <= database.model_count(); ++number) {
        check_model(number, database, problems);
    }
    for (int32_t number = 1; number <= database.model_count(); ++number) {
        const DeviceModel& model = *database.model(number);
        const auto [it, inserted] = first_with_name.emplace(name_key(model.name), number);
        if (!inserted) {
            problems.push_back(model_label(number, model) + ": same name as model " +
                               std::to_string(it->second));
        }
    }
    return problems;
}

ExitStatus run_list_models(const ChipOptions& options, const CliContext& context) {
    const DatabaseSearch search = load_for_command("", options, context);
    if (search.result.status != DatabaseLoadStatus::Ok) {
        context.console.err << database_failure_text(search, "\n");
        return ExitStatus::UsageError;
    }
    std::ostream& out = context.console.out;
    const DeviceDatabase& database = search.result.database;
    out << std::right << std::setw(kNumberWidth) << "No."
        << "  " << std::left << std::setw(kNameWidth) << "Model" << std::right
        << std::setw(kSizeWidth) << "FLASH" << std::setw(kSizeWidth) << "EEPROM"
        << "\n";
    bool any_warning = false;
    for (int32_t number = 1; number <= database.model_count(); ++number) {
        CurrentModel current;
        current.index = number;
        select_model(current, database);
        out << std::right << std::setw(kNumberWidth) << number << "  " << std::left
            << std::setw(kNameWidth) << current.name << std::right << std::setw(kSizeWidth)
            << current.flash_size << std::setw(kSizeWidth) << current.eeprom_size;
        if (!current.warning.empty()) {
            out << "  *";
            any_warning = true;
        }
        out << "\n";
    }
    if (any_warning) {
        out << "* has a warning (such as a programming-voltage limit), printed before any "
               "chip operation.\n";
    }
    return ExitStatus::Success;
}

ExitStatus run_check_db(const std::string& file, const ChipOptions& options,
                        const CliContext& context) {
    const DatabaseSearch search = load_for_command(file, options, context);
    std::ostream& out = context.console.out;
    if (search.result.status == DatabaseLoadStatus::Unreadable) {
        context.console.err << database_failure_text(search, "\n");
        return ExitStatus::UsageError;
    }
    const std::string name = search.file.string();
    std::vector<std::string> problems = database_problems(search.result);
    if (search.result.status == DatabaseLoadStatus::NoModels) {
        problems.emplace_back("no model (\"model:\" line) at all");
    }
    int32_t only_model = 0;
    if (!options.model.empty()) {
        const std::optional<int32_t> found = find_model(search.result.database, options.model);
        if (!found) {
            context.console.err << "Unknown model \"" << options.model << "\" in " << name << ".\n";
            return ExitStatus::UsageError;
        }
        only_model = *found;
    }
    const TrialSummary trials =
        simulation_problems(search.result.database, context.console, only_model);
    problems.insert(problems.end(), trials.problems.begin(), trials.problems.end());
    for (const std::string& problem : problems) {
        out << name << ": " << problem << "\n";
    }
    for (const std::string& note : trials.not_simulated) {
        out << name << ": " << note << "\n";
    }
    if (problems.empty()) {
        out << name << ": " << search.result.database.model_count() << " models";
        if (!trials.not_simulated.empty()) {
            out << " (" << trials.not_simulated.size() << " not simulated)";
        }
        out << ", no problems found.\n";
        return ExitStatus::Success;
    }
    out << name << ": " << problems.size() << (problems.size() == 1 ? " problem" : " problems")
        << " found.\n";
    return ExitStatus::Differences;
}

}  // namespace picprog
