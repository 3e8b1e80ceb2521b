#pragma once

// A programmer session over the real line driver and the simulated board,
// plus each family's programming recipe as a programmer would run it.

#include <cstdint>
#include <string_view>
#include <vector>

#include "core/devices/current_model.h"
#include "core/hardware/line_driver.h"
#include "core/hardware/line_settings.h"
#include "core/sim/chip_for_model.h"
#include "core/sim/simulated_programmer.h"

namespace picprog::simtest {

enum class Op { Command, Load, Wait, Increment };

// One step of a recipe.
struct Step {
    Op op;
    int32_t code = 0;  // command code, or wait milliseconds, or increments
    int32_t data = 0;  // Load only
};

inline Step cmd(IcspCommand c) {
    return {Op::Command, static_cast<int32_t>(c)};
}
inline Step cmd(int32_t c) {
    return {Op::Command, c};
}
inline Step load(IcspCommand c, int32_t data) {
    return {Op::Load, static_cast<int32_t>(c), data};
}
inline Step wait_ms(int32_t ms) {
    return {Op::Wait, ms};
}
inline Step inc(int32_t n) {
    return {Op::Increment, n};
}

class Session {
public:
    explicit Session(std::string_view model, CircuitWiring wiring = {},
                     LineSettings line_settings = {})
        : sim(chip_for_model(model), wiring),
          settings(line_settings),
          driver(settings, shadow, sim) {
        driver.all_lines_off();
    }

    void enter(VoltageSequence order) { driver.power_up(order); }
    void leave() { driver.power_down(); }

    void command(int32_t code) {
        driver.send_command(code);
        driver.short_delay();
    }
    void command(IcspCommand code) { command(static_cast<int32_t>(code)); }
    void load(IcspCommand code, int32_t data) {
        driver.send_command_with_data(static_cast<int32_t>(code), data);
        driver.short_delay();
    }
    int32_t read(IcspCommand code) {
        const int32_t value = driver.send_command_read_data(static_cast<int32_t>(code));
        driver.short_delay();
        return value;
    }
    void increment(int32_t times) {
        for (int32_t i = 0; i < times; ++i) {
            command(IcspCommand::IncrementAddress);
        }
    }
    void run(const std::vector<Step>& steps) {
        for (const Step& s : steps) {
            switch (s.op) {
                case Op::Command:
                    command(s.code);
                    break;
                case Op::Load:
                    load(static_cast<IcspCommand>(s.code), s.data);
                    break;
                case Op::Wait:
                    sim.sleep_ms(s.code);
                    break;
                case Op::Increment:
                    increment(s.code);
                    break;
            }
        }
    }
    // Re-enters programming mode (PC back to 0) in `order`.
    void reenter(VoltageSequence order) {
        leave();
        enter(order);
    }
    // Reads `count` program words from address 0 (fresh entry).
    std::vector<int32_t> read_program(VoltageSequence order, int32_t count) {
        reenter(order);
        std::vector<int32_t> words;
        for (int32_t i = 0; i < count; ++i) {
            words.push_back(read(IcspCommand::ReadProgram));
            increment(1);
        }
        return words;
    }

    SimulatedProgrammer sim;
    LineSettings settings;
    PortShadow shadow;
    LineDriver driver;
};

// A family's recipes, run with a representative part.
struct FamilyRecipe {
    const char* part;
    VoltageSequence entry;
    std::vector<Step> write_word;  // after Load Data for Program Memory at the PC
    std::vector<Step> write_byte;  // after Load Data for Data Memory; empty: no EEPROM
    std::vector<Step> full_erase;  // from a fresh entry
    int32_t latches;
};

inline const std::vector<FamilyRecipe>& family_recipes() {
    using C = IcspCommand;
    using V = VoltageSequence;
    static const std::vector<FamilyRecipe> kRecipes = {
        {"16F84A",
         V::VddFirst,
         {cmd(C::BeginProgramming), wait_ms(8)},
         {cmd(C::BeginProgramming), wait_ms(8)},
         {load(C::LoadConfiguration, 0x3FFF), inc(7), cmd(C::BulkEraseSetup1),
          cmd(C::BulkEraseSetup2), cmd(C::BeginProgramming), wait_ms(10), cmd(C::BulkEraseSetup1),
          cmd(C::BulkEraseSetup2)},
         1},
        {"16F628A",
         V::VppFirst,
         {cmd(C::BeginProgramming), wait_ms(4)},
         {cmd(C::BeginProgramming), wait_ms(6)},
         {load(C::LoadConfiguration, 0x3FFF), cmd(C::BulkEraseProgram), wait_ms(6),
          cmd(C::BulkEraseData), wait_ms(6)},
         1},
        {"16F877A",
         V::VddFirst,
         {cmd(C::BeginProgrammingOnly), wait_ms(1), cmd(C::EndProgramming17)},
         {cmd(C::BeginProgramming), wait_ms(8)},
         {load(C::LoadConfiguration, 0x3FFF), cmd(C::ChipErase), wait_ms(8)},
         8},
        {"16F88",
         V::VddFirst,
         {cmd(C::BeginProgrammingOnly), wait_ms(1), cmd(C::EndProgramming17)},
         {cmd(C::BeginProgrammingOnly), wait_ms(1), cmd(C::EndProgramming17)},
         {load(C::LoadConfiguration, 0x3FFF), cmd(C::ChipErase), wait_ms(8)},
         4},
        {"12F629",
         V::VppFirst,
         {cmd(C::BeginProgramming), wait_ms(3)},
         {cmd(C::BeginProgramming), wait_ms(6)},
         {load(C::LoadConfiguration, 0), cmd(C::BulkEraseProgram), wait_ms(8),
          cmd(C::BulkEraseData), wait_ms(8)},
         1},
        {"16F690",
         V::VppFirst,
         {cmd(C::BeginProgramming), wait_ms(3)},
         {cmd(C::BeginProgramming), wait_ms(6)},
         {cmd(C::BulkEraseProgram), wait_ms(6), load(C::LoadConfiguration, 0x3FFF),
          cmd(C::BulkEraseProgram), wait_ms(6), cmd(C::BulkEraseData), wait_ms(6)},
         4},
        {"16F887",
         V::VddFirst,
         {cmd(C::BeginProgrammingOnly), wait_ms(3), cmd(C::EndProgrammingA), wait_ms(1)},
         {cmd(C::BeginProgramming), wait_ms(6)},
         {cmd(C::BulkEraseProgram), wait_ms(6), load(C::LoadConfiguration, 0x3FFF),
          cmd(C::BulkEraseProgram), wait_ms(6), cmd(C::BulkEraseData), wait_ms(6)},
         8},
        {"16F716",
         V::VddFirst,
         {cmd(C::BeginProgrammingOnly), wait_ms(2), cmd(C::EndProgrammingE), wait_ms(1)},
         {},
         {load(C::LoadConfiguration, 0x3FFF), cmd(C::BulkEraseProgram), wait_ms(6)},
         4},
        {"16F72",
         V::VddFirst,
         {cmd(C::BeginProgramming), wait_ms(1), cmd(C::EndProgrammingE)},
         {},
         {load(C::LoadConfiguration, 0x3FFF), cmd(C::BulkEraseProgram), wait_ms(30)},
         2},
        {"16F877",
         V::VddFirst,
         {cmd(C::BeginProgramming), wait_ms(8)},
         {cmd(C::BeginProgramming), wait_ms(8)},
         {load(C::LoadConfiguration, 0x3FFF), inc(7), cmd(C::BulkEraseSetup1),
          cmd(C::BulkEraseSetup2), cmd(C::BeginProgramming), wait_ms(8), cmd(C::BulkEraseSetup1),
          cmd(C::BulkEraseSetup2)},
         1},
        {"16F727",
         V::VppFirst,
         {cmd(C::BeginProgramming), wait_ms(5)},  // config words need 5 ms
         {},
         {load(C::LoadConfiguration, 0x3FFF), cmd(C::BulkEraseProgram), wait_ms(5)},
         8},
        {"16F777",
         V::VddFirst,
         {cmd(C::BeginProgramming), wait_ms(1), cmd(C::EndProgrammingE)},
         {},
         {load(C::LoadConfiguration, 0x3FFF), cmd(C::BulkEraseProgram), wait_ms(30)},
         2},
        {"12F683",
         V::VppFirst,
         {cmd(C::BeginProgramming), wait_ms(3)},
         {cmd(C::BeginProgramming), wait_ms(6)},
         {load(C::LoadConfiguration, 0x3FFF), cmd(C::BulkEraseProgram), wait_ms(6),
          cmd(C::BulkEraseData), wait_ms(6)},
         4},
        {"12F635",
         V::VppFirst,
         {cmd(C::BeginProgrammingOnly), wait_ms(3), cmd(C::EndProgrammingA), wait_ms(1)},
         {cmd(C::BeginProgramming), wait_ms(6)},
         {load(C::LoadConfiguration, 0x3FFF), cmd(C::BulkEraseProgram), wait_ms(6),
          cmd(C::BulkEraseData), wait_ms(6)},
         4},
        {"16F916",
         V::VppFirst,
         {cmd(C::BeginProgramming), wait_ms(3)},
         {cmd(C::BeginProgramming), wait_ms(6)},
         {cmd(C::BulkEraseProgram), wait_ms(6), load(C::LoadConfiguration, 0x3FFF),
          cmd(C::BulkEraseProgram), wait_ms(6), cmd(C::BulkEraseData), wait_ms(6)},
         8},
        {"16F616",
         V::VddFirst,
         {cmd(C::BeginProgrammingOnly), wait_ms(3), cmd(C::EndProgrammingA), wait_ms(1)},
         {},
         {load(C::LoadConfiguration, 0x3FFF), cmd(C::BulkEraseProgram), wait_ms(6)},
         4},
        {"16F785",
         V::VppFirst,
         {cmd(C::BeginProgrammingOnly), wait_ms(2), cmd(C::EndProgrammingA), wait_ms(1)},
         {cmd(C::BeginProgramming), wait_ms(6)},
         {load(C::LoadConfiguration, 0x3FFF), cmd(C::BulkEraseProgram), wait_ms(6),
          cmd(C::BulkEraseData), wait_ms(6)},
         4},
        {"16F84",
         V::VddFirst,
         {cmd(C::BeginProgramming), wait_ms(20)},
         {cmd(C::BeginProgramming), wait_ms(20)},
         {load(C::LoadConfiguration, 0x3FFF), inc(7), cmd(C::BulkEraseSetup1),
          cmd(C::BulkEraseSetup2), cmd(C::BeginProgramming), wait_ms(10), cmd(C::BulkEraseSetup1),
          cmd(C::BulkEraseSetup2)},
         1},
        {"16F628",
         V::VppFirst,
         {cmd(C::BeginProgramming), wait_ms(13)},
         {cmd(C::BeginProgramming), wait_ms(13)},
         {load(C::LoadConfiguration, 0x3FFF), inc(7), cmd(C::BulkEraseSetup1),
          cmd(C::BulkEraseSetup2), cmd(C::BeginProgramming), wait_ms(13), cmd(C::BulkEraseSetup1),
          cmd(C::BulkEraseSetup2)},
         1},
        {"16F819",
         V::VppFirst,
         {cmd(C::BeginProgrammingOnly), wait_ms(1), cmd(C::EndProgramming17)},
         {cmd(C::BeginProgrammingOnly), wait_ms(1), cmd(C::EndProgramming17)},
         {load(C::LoadConfiguration, 0x3FFF), cmd(C::ChipErase), wait_ms(8)},
         4},
    };
    return kRecipes;
}

inline const FamilyRecipe& recipe_for(Family family) {
    for (const FamilyRecipe& r : family_recipes()) {
        if (chip_for_model(r.part).family == family) {
            return r;
        }
    }
    return family_recipes().front();
}

}  // namespace picprog::simtest
