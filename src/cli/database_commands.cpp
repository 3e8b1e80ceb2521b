#include "cli/database_commands.h"

#include <algorithm>
#include <array>
#include <iomanip>
#include <map>

#include "cli/database_search.h"
#include "core/devices/current_model.h"
#include "core/engine/algorithm_check.h"

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

}  // namespace

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
    for (int32_t number = 1; number <= database.model_count(); ++number) {
        CurrentModel current;
        current.index = number;
        select_model(current, database);
        out << std::right << std::setw(kNumberWidth) << number << "  " << std::left
            << std::setw(kNameWidth) << current.name << std::right << std::setw(kSizeWidth)
            << current.flash_size << std::setw(kSizeWidth) << current.eeprom_size << "\n";
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
    for (const std::string& problem : problems) {
        out << name << ": " << problem << "\n";
    }
    if (problems.empty()) {
        out << name << ": " << search.result.database.model_count()
            << " models, no problems found.\n";
        return ExitStatus::Success;
    }
    out << name << ": " << problems.size() << (problems.size() == 1 ? " problem" : " problems")
        << " found.\n";
    return ExitStatus::Differences;
}

}  // namespace picprog
