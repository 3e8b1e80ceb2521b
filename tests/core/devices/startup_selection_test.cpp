#include "core/devices/startup_selection.h"

#include <gtest/gtest.h>

#include "core/settings/memory_backend.h"

namespace picprog {
namespace {

struct StoredCase {
    const char* stored;
    int32_t index;
    const char* stored_after;
};

class StartupIndex : public ::testing::TestWithParam<StoredCase> {};

TEST_P(StartupIndex, FallsBackToTheFirstModelAndStoresIt) {
    MemoryBackend backend;
    backend.write_string("", setting::kMicrocontrollerModel, GetParam().stored);
    SettingsStore settings(backend);
    EXPECT_EQ(startup_model_index(settings, 5), GetParam().index);
    EXPECT_EQ(backend.read_string("", setting::kMicrocontrollerModel), GetParam().stored_after);
}

INSTANTIATE_TEST_SUITE_P(Stored, StartupIndex,
                         ::testing::Values(StoredCase{"0", 1, "1"}, StoredCase{"6", 1, "1"},
                                           StoredCase{"abc", 1, "1"}, StoredCase{"-2", 1, "1"},
                                           StoredCase{"5", 5, "5"}, StoredCase{"3", 3, "3"},
                                           StoredCase{"4.5", 4, "4.5"},
                                           StoredCase{"2 models", 2, "2 models"}));

TEST(StartupIndexFirstRun, StoresTheDefault) {
    MemoryBackend backend;
    SettingsStore settings(backend);
    EXPECT_EQ(startup_model_index(settings, 3), 1);
    EXPECT_EQ(backend.read_string("", setting::kMicrocontrollerModel), "1");
}

}  // namespace
}  // namespace picprog
