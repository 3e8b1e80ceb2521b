#include "core/engine/algorithm_check.h"

#include "core/engine/instruction.h"

namespace picprog {

std::vector<ListProblem> check_instruction_list(const std::vector<std::string>& list,
                                                int32_t page_size) {
    std::vector<ListProblem> problems;
    auto report = [&](size_t index, std::string reason) {
        problems.push_back({static_cast<int32_t>(index + 1), list[index], std::move(reason)});
    };
    auto later = [&](size_t index, std::string_view text) {
        for (size_t i = index + 1; i < list.size(); ++i) {
            if (list[i] == text) {
                return true;
            }
        }
        return false;
    };
    bool head_seen = false;
    for (size_t i = 0; i < list.size(); ++i) {
        const OpCode op = decode_instruction(list[i]).op;
        switch (op) {
            case OpCode::Unrecognized:
                report(i, "unrecognized instruction");
                break;
            case OpCode::SetFlashLoop:
            case OpCode::SetEepromLoop:
                head_seen = true;
                if (!later(i, "loop")) {
                    report(i, "no \"loop\" follows this loop head");
                }
                break;
            case OpCode::Loop:
                if (!head_seen) {
                    report(i, "\"loop\" without a loop head before it");
                }
                break;
            case OpCode::IfPage:
                if (!later(i, "endifpage")) {
                    report(i, "no \"endifpage\" follows it");
                }
                [[fallthrough]];
            case OpCode::CalcFlashPage:
                if (page_size < 1) {
                    report(i, "page instruction with a page size below 1");
                }
                break;
            default:
                break;
        }
    }
    return problems;
}

}  // namespace picprog
