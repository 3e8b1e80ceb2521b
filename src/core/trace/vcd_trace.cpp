#include "core/trace/vcd_trace.h"

#include <array>

namespace picprog {
namespace {

struct Signal {
    char id;
    const char* name;
    bool TraceLevels::*level;
};

constexpr std::array<Signal, 5> kSignals = {{
    {'!', "VDD", &TraceLevels::vdd},
    {'"', "VPP", &TraceLevels::vpp},
    {'#', "CLOCK", &TraceLevels::clock},
    {'$', "DATA_OUT", &TraceLevels::data_out},
    {'%', "DATA_IN", &TraceLevels::data_in},
}};

}  // namespace

VcdTrace::VcdTrace(std::ostream& out) : out_(out) {
    out_ << "$version Quellmark Parallel Port PIC Programmer line trace $end\n"
         << "$timescale 1us $end\n"
         << "$scope module programmer $end\n";
    for (const Signal& s : kSignals) {
        out_ << "$var wire 1 " << s.id << ' ' << s.name << " $end\n";
    }
    out_ << "$upscope $end\n$enddefinitions $end\n";
}

void VcdTrace::record(int64_t time_us, const TraceLevels& levels) {
    if (last_ && *last_ == levels) {
        return;
    }
    if (time_us != last_time_us_) {
        out_ << '#' << time_us << '\n';
        last_time_us_ = time_us;
    }
    const bool first = !last_;
    if (first) {
        out_ << "$dumpvars\n";
    }
    for (const Signal& s : kSignals) {
        if (first || (*last_).*s.level != levels.*s.level) {
            out_ << (levels.*s.level ? '1' : '0') << s.id << '\n';
        }
    }
    if (first) {
        out_ << "$end\n";
    }
    last_ = levels;
}

}  // namespace picprog
