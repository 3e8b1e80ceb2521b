#pragma once

#include <cstdint>
#include <string_view>

namespace picprog {

// The forms of the algorithm language, in the order a text is tested
// against them (the first form that matches wins).
enum class OpCode : uint8_t {
    Begin,              // "begin": power up in the model's order
    End,                // "end": power down
    CalcFlash,          // "calcflash": last FLASH address := FLASH extent
    CalcFlashPage,      // "calcflashpage": extent rounded up to its page end
    CalcEeprom,         // "calceeprom": last EEPROM address := EEPROM extent
    SetFlashLoop,       // "setflashloop": loop head over FLASH
    SetEepromLoop,      // "seteepromloop": loop head over EEPROM
    Loop,               // "loop": back to the loop head
    IfPage,             // "ifpage": block runs after each full page
    EndIfPage,          // "endifpage"
    SendFlash,          // "sHH-flash": command with flash[address]
    SendEeprom,         // "sHH-eeprom": command with eeprom[address]
    SendConfig1,        // "sHH-config1"
    SendConfig2,        // "sHH-config2"
    ReadFlash,          // "flash=sHH": flash[address] := word read
    ReadEeprom,         // "eeprom=sHH": eeprom[address] := low byte read
    ReadConfig1,        // "config1=sHH"
    ReadConfig2,        // "config2=sHH"
    ReadTemp,           // "temp=sHH": temp := word read
    CheckBlankFlash,    // "checkblankflash"
    CheckBlankEeprom,   // "checkblankeeprom"
    CheckBlankConfig1,  // "checkblankconfig1"
    CheckBlankConfig2,  // "checkblankconfig2"
    CheckFlash,         // "checkflash"
    CheckEeprom,        // "checkeeprom"
    CheckConfig1,       // "checkconfig1"
    CheckConfig2,       // "checkconfig2"
    SendData,           // "sHH-DDDD": command with a constant word
    SendCommand,        // "sHH": command alone
    WaitProgramming,    // "wprog": wait the programming time
    Wait,               // "wN": wait N milliseconds
    Unrecognized,       // anything else, the empty text included
};

// One instruction decoded from its text. Fields a form does not use are 0.
// A command or data field that is not exactly two (four) hexadecimal digits
// is -1, which the line driver's frames refuse to clock.
struct Instruction {
    OpCode op = OpCode::Unrecognized;
    int32_t command = 0;  // 6-bit command code of the send and read forms
    int32_t data = 0;     // constant word of "sHH-DDDD"
    int32_t wait_ms = 0;  // milliseconds of "wN" (rounded, may be negative)
};

// Decodes one instruction text, compared character for character (case and
// blanks matter; hexadecimal fields are upper-cased before they are read).
Instruction decode_instruction(std::string_view text);

// True for the forms that move the buffer address.
bool moves_address(OpCode op);

}  // namespace picprog
