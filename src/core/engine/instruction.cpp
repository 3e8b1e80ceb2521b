#include "core/engine/instruction.h"

#include <array>
#include <utility>

#include "core/memory/decimal_text.h"
#include "core/memory/hex_text.h"
#include "core/memory/text_case.h"

namespace picprog {
namespace {

// Characters at 1-based positions first..first+count-1, fewer when the text
// ends earlier.
std::string_view field(std::string_view text, size_t first, size_t count) {
    if (first - 1 >= text.size()) {
        return {};
    }
    return text.substr(first - 1, count);
}

int32_t hex2_at(std::string_view text, size_t first) {
    return parse_hex2(to_upper_ascii(field(text, first, 2)));
}

int32_t hex4_at(std::string_view text, size_t first) {
    return parse_hex4(to_upper_ascii(field(text, first, 4)));
}

bool starts(std::string_view text, std::string_view prefix) { return text.starts_with(prefix); }
bool ends(std::string_view text, std::string_view suffix) { return text.ends_with(suffix); }

constexpr std::array<std::pair<std::string_view, OpCode>, 10> kExactHead = {{
    {"begin", OpCode::Begin},
    {"end", OpCode::End},
    {"calcflash", OpCode::CalcFlash},
    {"calcflashpage", OpCode::CalcFlashPage},
    {"calceeprom", OpCode::CalcEeprom},
    {"setflashloop", OpCode::SetFlashLoop},
    {"seteepromloop", OpCode::SetEepromLoop},
    {"loop", OpCode::Loop},
    {"ifpage", OpCode::IfPage},
    {"endifpage", OpCode::EndIfPage},
}};

constexpr std::array<std::pair<std::string_view, OpCode>, 8> kChecks = {{
    {"checkblankflash", OpCode::CheckBlankFlash},
    {"checkblankeeprom", OpCode::CheckBlankEeprom},
    {"checkblankconfig1", OpCode::CheckBlankConfig1},
    {"checkblankconfig2", OpCode::CheckBlankConfig2},
    {"checkflash", OpCode::CheckFlash},
    {"checkeeprom", OpCode::CheckEeprom},
    {"checkconfig1", OpCode::CheckConfig1},
    {"checkconfig2", OpCode::CheckConfig2},
}};

struct PrefixRead {
    std::string_view prefix;
    OpCode op;
    size_t command_at;
};

constexpr std::array<PrefixRead, 5> kReads = {{
    {"flash=s", OpCode::ReadFlash, 8},
    {"eeprom=s", OpCode::ReadEeprom, 9},
    {"config1=s", OpCode::ReadConfig1, 10},
    {"config2=s", OpCode::ReadConfig2, 10},
    {"temp=s", OpCode::ReadTemp, 7},
}};

constexpr std::array<std::pair<std::string_view, OpCode>, 4> kSendSuffixes = {{
    {"-flash", OpCode::SendFlash},
    {"-eeprom", OpCode::SendEeprom},
    {"-config1", OpCode::SendConfig1},
    {"-config2", OpCode::SendConfig2},
}};

}  // namespace

Instruction decode_instruction(std::string_view text) {
    Instruction ins;
    for (const auto& [keyword, op] : kExactHead) {
        if (text == keyword) {
            ins.op = op;
            return ins;
        }
    }
    if (starts(text, "s")) {
        for (const auto& [suffix, op] : kSendSuffixes) {
            if (ends(text, suffix)) {
                ins.op = op;
                ins.command = hex2_at(text, 2);
                return ins;
            }
        }
    }
    for (const PrefixRead& read : kReads) {
        if (starts(text, read.prefix)) {
            ins.op = read.op;
            ins.command = hex2_at(text, read.command_at);
            return ins;
        }
    }
    for (const auto& [keyword, op] : kChecks) {
        if (text == keyword) {
            ins.op = op;
            return ins;
        }
    }
    if (text.size() == 8 && starts(text, "s") && text[3] == '-') {
        ins.op = OpCode::SendData;
        ins.command = hex2_at(text, 2);
        ins.data = hex4_at(text, 5);
        return ins;
    }
    if (text.size() == 3 && starts(text, "s")) {
        ins.op = OpCode::SendCommand;
        ins.command = hex2_at(text, 2);
        return ins;
    }
    if (text == "wprog") {
        ins.op = OpCode::WaitProgramming;
        return ins;
    }
    if (starts(text, "w")) {
        ins.op = OpCode::Wait;
        ins.wait_ms = leading_number(text.substr(1));
        return ins;
    }
    return ins;
}

bool moves_address(OpCode op) {
    switch (op) {
        case OpCode::SendFlash:
        case OpCode::SendEeprom:
        case OpCode::ReadFlash:
        case OpCode::ReadEeprom:
        case OpCode::CheckBlankFlash:
        case OpCode::CheckBlankEeprom:
        case OpCode::CheckFlash:
        case OpCode::CheckEeprom:
            return true;
        default:
            return false;
    }
}

}  // namespace picprog
