#include "core/engine/algorithm_check.h"

#include <gtest/gtest.h>

#include "core/devices/current_model.h"

namespace picprog {
namespace {

struct CheckCase {
    const char* list;
    int32_t page_size;
    std::vector<int32_t> positions;
};

class CheckList : public ::testing::TestWithParam<CheckCase> {};

TEST_P(CheckList, FindsWhatTheEngineWouldRefuse) {
    std::vector<int32_t> positions;
    for (const ListProblem& p : check_instruction_list(split_instructions(GetParam().list),
                                                       GetParam().page_size)) {
        positions.push_back(p.position);
    }
    EXPECT_EQ(positions, GetParam().positions) << GetParam().list;
}

INSTANTIATE_TEST_SUITE_P(
    Lists, CheckList,
    ::testing::Values(
        CheckCase{"begin,calcflashpage,setflashloop,s02-flash,ifpage,s08,wprog,endifpage,loop,end",
                  8, {}},
        CheckCase{"", 1, {1}}, CheckCase{"begin,,end", 1, {2}},
        CheckCase{"begin,setflashloop,s02-flash,end", 1, {2}},
        CheckCase{"begin,loop,setflashloop,loop", 1, {2}},
        CheckCase{"begin,ifpage,s08", 1, {2}},
        CheckCase{"calcflashpage,ifpage,endifpage", 0, {1, 2}},
        CheckCase{"ifpage,calcflashpage", -3, {1, 1, 2}},
        CheckCase{"begin ,end", 1, {1}}));

}  // namespace
}  // namespace picprog
