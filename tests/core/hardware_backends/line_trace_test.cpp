#include "core/hardware/line_trace_backend.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <map>
#include <sstream>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

#include "core/hardware/line_driver.h"
#include "core/hardware/recording_backend.h"
#include "core/hardware/traced_port.h"

namespace picprog {
namespace {

// The value changes of a VCD text by signal name: (time, level) pairs.
std::map<std::string, std::vector<std::pair<int64_t, int>>> parse_vcd(const std::string& text) {
    std::map<char, std::string> names;
    std::map<std::string, std::vector<std::pair<int64_t, int>>> changes;
    std::istringstream in(text);
    std::string line;
    int64_t now = 0;
    bool body = false;
    while (std::getline(in, line)) {
        if (!body) {
            std::istringstream words(line);
            std::string var, wire, width, id, name;
            if (words >> var >> wire >> width >> id >> name && var == "$var") {
                names[id[0]] = name;
            }
            body = line == "$enddefinitions $end";
            continue;
        }
        if (line.empty() || line[0] == '$') {
            continue;
        }
        if (line[0] == '#') {
            now = std::stoll(line.substr(1));
        } else if (line.size() == 2 && (line[0] == '0' || line[0] == '1')) {
            changes[names.at(line[1])].push_back({now, line[0] - '0'});
        }
    }
    return changes;
}

class LineTrace : public ::testing::Test {
protected:
    LineSettings settings;
    PortShadow shadow;
    RecordingBackend inner;
    std::ostringstream vcd;
    LineTraceBackend trace{inner, settings, vcd, [this] { return inner.now_us(); }};
    LineDriver driver{settings, shadow, trace};
};

TEST_F(LineTrace, ACommandFrameGivesItsClockAndDataEdges) {
    driver.all_lines_off();
    driver.send_command(0x05);  // bits 1, 0, 1, 0, 0, 0
    const auto changes = parse_vcd(vcd.str());

    const auto& clock = changes.at("CLOCK");
    // The first dump shows the all-zero register, where the inverted CLOCK
    // is high; all_lines_off drives it low; then a rise and a fall per bit.
    ASSERT_EQ(clock.size(), 2u + 12u);
    EXPECT_EQ(clock[0].second, 1);
    EXPECT_EQ(clock[1].second, 0);
    EXPECT_EQ(clock[2].second, 1);
    EXPECT_EQ(clock[3].second, 0);

    // DATA OUT: high in the idle dump (inverted), low after all_lines_off,
    // then high for bit 0, low for bit 1, high for bit 2, low after.
    std::vector<int> data_levels;
    for (const auto& [time, level] : changes.at("DATA_OUT")) {
        data_levels.push_back(level);
    }
    EXPECT_EQ(data_levels, (std::vector<int>{1, 0, 1, 0, 1, 0}));
    // Time stamps come from the inner back end's clock and never go back.
    for (size_t i = 1; i < clock.size(); ++i) {
        EXPECT_GT(clock[i].first, clock[i - 1].first);
    }
}

TEST_F(LineTrace, FollowsThePinSettingsAndPassesEveryAccessOn) {
    settings.vdd_pin = 1;  // control register, inverted by the port
    settings.datain_pin = 11;
    settings.datain_inverted = 0;
    inner.set_default_status(0x00);  // S7 clear: pin 11 reads high
    driver.vdd_on();
    EXPECT_TRUE(trace.levels().vdd);
    EXPECT_TRUE(trace.levels().data_in);
    EXPECT_EQ(inner.writes().size(), 2u);
    driver.vdd_off();
    EXPECT_FALSE(trace.levels().vdd);
    const auto changes = parse_vcd(vcd.str());
    EXPECT_EQ(changes.at("VDD").back().second, 0);
}

TEST(TracedPortOwnership, RecordsUntilReleasedAndHandsBackTheSamePort) {
    LineSettings settings;
    PortShadow shadow;
    auto inner = std::make_unique<RecordingBackend>();
    RecordingBackend* raw = inner.get();
    auto stream = std::make_unique<std::ostringstream>();
    std::ostringstream* vcd = stream.get();
    TracedPort traced(std::move(inner), settings, std::move(stream),
                      [raw] { return raw->now_us(); });
    EXPECT_EQ(&untraced(traced), raw);

    LineDriver driver(settings, shadow, traced);
    driver.all_lines_off();
    const size_t before = raw->writes().size();
    driver.vdd_on();
    EXPECT_GT(raw->writes().size(), before);
    EXPECT_EQ(parse_vcd(vcd->str()).at("VDD").back().second, 1);

    std::unique_ptr<PortBackend> back = traced.release_inner();
    EXPECT_EQ(back.get(), raw);
    EXPECT_EQ(&untraced(*back), raw);
}

// The file must open in the tools people use to look at it; sigrok-cli is
// what PulseView is built on.
TEST(LineTraceFile, SigrokCliReadsTheTraceWithItsFiveChannels) {
    const auto path = std::filesystem::temp_directory_path() /
                      ("picprog-trace-" + std::to_string(::getpid()) + ".vcd");
    {
        LineSettings settings;
        PortShadow shadow;
        RecordingBackend inner;
        std::ofstream out(path, std::ios::binary);
        LineTraceBackend trace(inner, settings, out, [&inner] { return inner.now_us(); });
        LineDriver driver(settings, shadow, trace);
        driver.all_lines_off();
        driver.power_up(VoltageSequence::VddFirst);
        driver.send_command(0x06);
        driver.power_down();
    }
    const std::string command = "sigrok-cli -I vcd -i '" + path.string() + "' -O ascii 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[4096];
    for (size_t got = 0; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, got);
    }
    const int status = pclose(pipe);
    std::filesystem::remove(path);
    ASSERT_EQ(status, 0) << "sigrok-cli must be installed (scripts/install-packages)\n" << output;
    EXPECT_NE(output.find("Acquisition with 5/5 channels"), std::string::npos) << output;
    for (const char* channel : {"VDD:", "VPP:", "CLOCK:", "DATA_OUT:", "DATA_IN:"}) {
        EXPECT_NE(output.find(channel), std::string::npos) << channel;
    }
    // The command's clock pulses appear as rising and falling edges.
    std::string clock_rows;
    std::istringstream rows(output);
    for (std::string row; std::getline(rows, row);) {
        if (row.starts_with("CLOCK:")) {
            clock_rows += row.substr(6);
        }
    }
    EXPECT_GE(std::count(clock_rows.begin(), clock_rows.end(), '/'), 6);
    EXPECT_GE(std::count(clock_rows.begin(), clock_rows.end(), '\\'), 6);
}

}  // namespace
}  // namespace picprog
