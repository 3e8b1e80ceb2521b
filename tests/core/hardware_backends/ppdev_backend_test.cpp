#include "core/hardware/ppdev_backend.h"

#include <sys/ioctl.h>

#include <linux/ppdev.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <map>
#include <set>

namespace picprog {
namespace {

using ::testing::HasSubstr;

// A machine made up by the test: which ports exist, which device files,
// what opening and claiming answer; every ioctl is recorded.
class FakeSystem : public PpdevSystem {
public:
    struct Call {
        unsigned long request;
        int value;
    };

    void add_port(int number, int base) {
        const std::string name = "parport" + std::to_string(number);
        ports[name] = std::to_string(base) + "\t" + std::to_string(base + 0x400) + "\n";
        files.insert("/dev/" + name);
    }

    int open_device(const std::string& path, int& error) override {
        opened.push_back(path);
        if (open_errno != 0) {
            error = open_errno;
            return -1;
        }
        error = 0;
        return 7;
    }
    int ioctl(int, unsigned long request, void* argument, int& error) override {
        int value = -1;
        if (request == PPWDATA || request == PPWCONTROL) {
            value = *static_cast<unsigned char*>(argument);
        }
        if (request == PPRSTATUS) {
            *static_cast<unsigned char*>(argument) = status;
        }
        calls.push_back({request, value});
        if (request == PPCLAIM && claim_errno != 0) {
            error = claim_errno;
            return -1;
        }
        error = 0;
        return 0;
    }
    void close_device(int) override { ++closes; }
    std::optional<std::string> read_text(const std::string& path) override {
        const std::string prefix = "/proc/sys/dev/parport/";
        if (path.starts_with(prefix)) {
            const auto slash = path.find('/', prefix.size());
            const auto found = ports.find(path.substr(prefix.size(), slash - prefix.size()));
            if (found != ports.end()) {
                return found->second;
            }
        }
        return std::nullopt;
    }
    std::vector<std::string> list_folder(const std::string& path) override {
        std::vector<std::string> names;
        if (path == "/proc/sys/dev/parport") {
            for (const auto& [name, text] : ports) {
                names.push_back(name);
            }
            names.push_back("default");
        }
        if (path == "/dev/usb") {
            names = usb;
        }
        return names;
    }
    bool exists(const std::string& path) override {
        if (path == "/proc/sys/dev/parport") {
            return proc_present;
        }
        return files.count(path) != 0;
    }

    std::map<std::string, std::string> ports;
    std::set<std::string> files;
    std::vector<std::string> usb;
    bool proc_present = true;
    int open_errno = 0;
    int claim_errno = 0;
    unsigned char status = 0;
    std::vector<std::string> opened;
    std::vector<Call> calls;
    int closes = 0;
};

class Ppdev : public ::testing::Test {
protected:
    FakeSystem* system = new FakeSystem;
    PpdevBackend backend{std::unique_ptr<PpdevSystem>(system)};
};

TEST_F(Ppdev, OpensThePortWhoseBaseAddressMatches) {
    system->add_port(0, 0x278);
    system->add_port(1, 0x378);
    EXPECT_EQ(backend.open(888), "");
    EXPECT_TRUE(backend.is_open());
    EXPECT_EQ(system->opened, (std::vector<std::string>{"/dev/parport1"}));
    ASSERT_EQ(system->calls.size(), 1u);
    EXPECT_EQ(system->calls[0].request, static_cast<unsigned long>(PPCLAIM));
}

TEST_F(Ppdev, OneFlushIsDataControlStatusInOrder) {
    system->add_port(0, 0x378);
    ASSERT_EQ(backend.open(0x378), "");
    system->calls.clear();
    system->status = 0x78;
    backend.write(0x378, 0x04);
    backend.write(0x37A, 0x0B);
    EXPECT_EQ(backend.read(0x379), 0x78);
    ASSERT_EQ(system->calls.size(), 3u);
    EXPECT_EQ(system->calls[0].request, static_cast<unsigned long>(PPWDATA));
    EXPECT_EQ(system->calls[0].value, 0x04);
    EXPECT_EQ(system->calls[1].request, static_cast<unsigned long>(PPWCONTROL));
    EXPECT_EQ(system->calls[1].value, 0x0B);
    EXPECT_EQ(system->calls[2].request, static_cast<unsigned long>(PPRSTATUS));
    // Reads of other registers touch nothing.
    EXPECT_EQ(backend.read(0x378), 0);
    EXPECT_EQ(system->calls.size(), 3u);
}

TEST_F(Ppdev, AWriteToAnotherBaseReopensThere) {
    system->add_port(0, 0x378);
    system->add_port(1, 0x278);
    backend.write(0x378, 1);  // opens lazily at the first transfer
    EXPECT_EQ(backend.port_base(), 0x378);
    backend.write(0x278, 2);
    EXPECT_EQ(backend.port_base(), 0x278);
    EXPECT_EQ(system->opened, (std::vector<std::string>{"/dev/parport0", "/dev/parport1"}));
    EXPECT_EQ(system->closes, 1);
    // The old port was released before the new one was claimed.
    std::vector<unsigned long> requests;
    for (const auto& call : system->calls) {
        requests.push_back(call.request);
    }
    EXPECT_EQ(requests,
              (std::vector<unsigned long>{PPCLAIM, PPWDATA, PPRELEASE, PPCLAIM, PPWDATA}));
}

TEST_F(Ppdev, AFailedBaseIsNotRetriedAtEveryAccess) {
    system->add_port(0, 0x278);
    backend.write(0x378, 1);
    backend.write(0x37A, 1);
    backend.write(0x378, 1);
    EXPECT_FALSE(backend.is_open());
    EXPECT_TRUE(system->opened.empty());
    EXPECT_EQ(backend.read(0x379), 0);
    EXPECT_EQ(backend.open(0x278), "");
}

struct FailureCase {
    const char* name;
    void (*arrange)(FakeSystem&);
    const char* reason;
};

class PpdevFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(PpdevFailure, SaysWhyAndWhatToDo) {
    auto* system = new FakeSystem;
    GetParam().arrange(*system);
    PpdevBackend backend{std::unique_ptr<PpdevSystem>(system)};
    const std::string reason = backend.open(0x378);
    EXPECT_THAT(reason, HasSubstr(GetParam().reason)) << GetParam().name;
    EXPECT_EQ(backend.last_error(), reason);
    EXPECT_FALSE(backend.is_open());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PpdevFailure,
    ::testing::Values(
        FailureCase{"other port only", [](FakeSystem& s) { s.add_port(0, 0x278); },
                    "no parallel port at 378h (found: parport0 at 278h"},
        FailureCase{"pcie card", [](FakeSystem& s) { s.add_port(2, 0xD010); },
                    "(found: parport2 at D010h; to use parport2, set \"Parallel Port Address\" "
                    "to 53264 in the program's settings)"},
        FailureCase{"standard port elsewhere", [](FakeSystem& s) { s.add_port(0, 0x278); },
                    "choose it with Change Parallel Port Number"},
        FailureCase{"nothing", [](FakeSystem&) {}, "no parallel port found"},
        FailureCase{"no driver", [](FakeSystem& s) { s.proc_present = false; },
                    "sudo modprobe parport_pc ppdev"},
        FailureCase{"usb adapter", [](FakeSystem& s) { s.usb = {"lp0"}; },
                    "/dev/usb/lp0 is a USB printer adapter, which cannot switch single pins"},
        FailureCase{
            "no ppdev",
            [](FakeSystem& s) {
                s.add_port(0, 0x378);
                s.files.clear();
            },
            "/dev/parport0 is missing (the ppdev driver is not loaded: sudo modprobe ppdev)"},
        FailureCase{"permission",
                    [](FakeSystem& s) {
                        s.add_port(0, 0x378);
                        s.open_errno = EACCES;
                    },
                    "permission denied on /dev/parport0 (add yourself to the lp group"},
        FailureCase{"claimed",
                    [](FakeSystem& s) {
                        s.add_port(0, 0x378);
                        s.claim_errno = EBUSY;
                    },
                    "held by another driver (unload the printer driver: sudo modprobe -r lp)"},
        FailureCase{"other errno",
                    [](FakeSystem& s) {
                        s.add_port(0, 0x378);
                        s.open_errno = ENXIO;
                    },
                    "cannot open /dev/parport0: "}));

// The diagnostics list what the machine has, port by port, without
// claiming anything.
TEST_F(Ppdev, FindingsListEveryPortAndWhetherItsDeviceOpens) {
    system->add_port(0, 0x378);
    system->add_port(1, 0xD010);
    system->files.erase("/dev/parport1");
    const auto lines = backend.findings();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Parallel ports: parport0 at 378h, parport1 at D010h.");
    EXPECT_EQ(lines[1], "/dev/parport0: can be opened.");
    EXPECT_THAT(lines[2], HasSubstr("/dev/parport1: missing (the ppdev driver is not loaded"));
    EXPECT_EQ(system->closes, 1);
    for (const auto& call : system->calls) {
        EXPECT_NE(call.request, static_cast<unsigned long>(PPCLAIM));
    }
}

TEST_F(Ppdev, FindingsGiveTheGroupAndTheUdevRuleForAPermissionProblem) {
    system->add_port(0, 0x378);
    system->open_errno = EACCES;
    const auto lines = backend.findings();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_THAT(lines[1], HasSubstr("/dev/parport0: permission denied (add yourself to the lp "
                                    "group: sudo usermod -aG lp $USER"));
    EXPECT_THAT(lines[1], HasSubstr("KERNEL==\"parport[0-9]*\""));
}

TEST_F(Ppdev, FindingsNameThePortThisProgramHoldsWithoutOpeningItAgain) {
    system->add_port(0, 0x378);
    ASSERT_EQ(backend.open(0x378), "");
    system->opened.clear();
    const auto lines = backend.findings();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "/dev/parport0: claimed by this program.");
    EXPECT_TRUE(system->opened.empty());
}

TEST_F(Ppdev, FindingsNameThePrinterDriverAndUsbAdapters) {
    system->files.insert("/sys/module/lp");
    system->usb = {"lp1", "lp0"};
    const auto lines = backend.findings();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "Parallel ports: none listed in /proc/sys/dev/parport.");
    EXPECT_THAT(lines[1], HasSubstr("Printer driver lp: loaded"));
    EXPECT_THAT(lines[1], HasSubstr("sudo modprobe -r lp"));
    EXPECT_THAT(lines[2], HasSubstr("USB printer adapter /dev/usb/lp0: "));
    EXPECT_THAT(lines[2], HasSubstr("cannot switch single pins"));
    EXPECT_THAT(lines[3], HasSubstr("/dev/usb/lp1"));
}

TEST_F(Ppdev, FindingsSayWhenTheParportDriverIsMissing) {
    system->proc_present = false;
    const auto lines = backend.findings();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_THAT(lines[0], HasSubstr("sudo modprobe parport_pc ppdev"));
}

}  // namespace
}  // namespace picprog
