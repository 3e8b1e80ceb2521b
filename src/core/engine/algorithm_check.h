#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/devices/device_model.h"

namespace picprog {

// One problem of an instruction list that would stop or end a run.
struct ListProblem {
    int32_t position = 0;  // 1-based index of the instruction in its list
    std::string instruction;
    std::string reason;
};

// Checks one instruction list (as split from its text) for what the engine
// would refuse: unknown instructions (the empty one too), loop heads
// without a later "loop", "loop" without an earlier head, "ifpage" without a
// later "endifpage", and page instructions when `page_size` is below 1.
std::vector<ListProblem> check_instruction_list(const std::vector<std::string>& list,
                                                int32_t page_size);

}  // namespace picprog
