#include "core/hardware/inpout_backend.h"

#include <gtest/gtest.h>

#include <map>

namespace picprog {
namespace {

// Stand-ins for the library's exports, recording into a test-owned log.
struct PortLog {
    std::vector<std::pair<short, short>> writes;
    short status = 0;
};
PortLog* g_log = nullptr;  // set by each test; the exports cannot carry state

void fake_out32(short address, short value) {
    g_log->writes.emplace_back(address, value);
}
short fake_inp32(short /*address*/) {
    return g_log->status;
}

class FakeLoader : public LibraryLoader {
public:
    FakeLoader(std::string available, std::map<std::string, void*> exports)
        : available_(std::move(available)), exports_(std::move(exports)) {}
    bool load(const std::string& name) override {
        requested = name;
        return name == available_;
    }
    void* symbol(const std::string& name) override {
        const auto found = exports_.find(name);
        return found == exports_.end() ? nullptr : found->second;
    }
    std::string requested;

private:
    std::string available_;
    std::map<std::string, void*> exports_;
};

std::map<std::string, void*> both_exports() {
    return {{"Out32", reinterpret_cast<void*>(&fake_out32)},
            {"Inp32", reinterpret_cast<void*>(&fake_inp32)}};
}

class InpOut : public ::testing::Test {
protected:
    PortLog log;
    void SetUp() override { g_log = &log; }
    void TearDown() override { g_log = nullptr; }
};

TEST_F(InpOut, PicksTheLibraryForThePointerWidth) {
    auto* loader = new FakeLoader("inpoutx64.dll", both_exports());
    InpOutBackend backend64(std::unique_ptr<LibraryLoader>(loader), 64);
    EXPECT_EQ(backend64.open(888), "");
    EXPECT_EQ(loader->requested, "inpoutx64.dll");

    auto* loader32 = new FakeLoader("inpoutx64.dll", both_exports());
    InpOutBackend backend32(std::unique_ptr<LibraryLoader>(loader32), 32);
    EXPECT_EQ(backend32.open(888),
              "inpout32.dll not found (install InpOut and put inpout32.dll beside the program)");
    EXPECT_FALSE(backend32.is_open());
}

TEST_F(InpOut, PassesRegisterAccessesThrough) {
    InpOutBackend backend(std::make_unique<FakeLoader>("inpout32.dll", both_exports()), 32);
    log.status = 0x1F8;          // only the low byte counts
    backend.write(0x378, 0x04);  // opens on first use
    backend.write(0x37A, 0x0B);
    EXPECT_EQ(backend.read(0x379), 0xF8);
    EXPECT_EQ(log.writes, (std::vector<std::pair<short, short>>{{0x378, 0x04}, {0x37A, 0x0B}}));
}

TEST_F(InpOut, ALibraryWithoutTheFunctionsIsRefused) {
    InpOutBackend backend(
        std::make_unique<FakeLoader>(
            "inpout32.dll",
            std::map<std::string, void*>{{"Out32", reinterpret_cast<void*>(&fake_out32)}}),
        32);
    EXPECT_NE(backend.open(888).find("has no Out32 / Inp32"), std::string::npos);
    backend.write(0x378, 1);
    EXPECT_TRUE(log.writes.empty());
    EXPECT_EQ(backend.read(0x379), 0);
}

TEST_F(InpOut, NoLoaderMeansNotFound) {
    InpOutBackend backend(nullptr, 64);
    EXPECT_NE(backend.open(888).find("inpoutx64.dll not found"), std::string::npos);
}

TEST_F(InpOut, FindingsSayWhetherTheLibraryLoaded) {
    InpOutBackend missing(std::make_unique<FakeLoader>("other.dll", both_exports()), 32);
    const auto absent = missing.findings();
    ASSERT_EQ(absent.size(), 1u);
    EXPECT_EQ(absent[0],
              "Port access library: inpout32.dll not found (install InpOut and put inpout32.dll "
              "beside the program).");

    InpOutBackend present(std::make_unique<FakeLoader>("inpoutx64.dll", both_exports()), 64);
    const auto loaded = present.findings();
    ASSERT_EQ(loaded.size(), 1u);
    EXPECT_NE(loaded[0].find("inpoutx64.dll loaded"), std::string::npos);
}

}  // namespace
}  // namespace picprog
