#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/memory/memory_image.h"

namespace picprog {

// The 6-bit ICSP command codes used by the 14-bit flash families. The same
// code means different things on different families; ChipAction says what a
// code does on one family.
enum class IcspCommand : uint8_t {
    LoadConfiguration = 0x00,
    BulkEraseSetup1 = 0x01,
    LoadProgram = 0x02,
    LoadData = 0x03,
    ReadProgram = 0x04,
    ReadData = 0x05,
    IncrementAddress = 0x06,
    BulkEraseSetup2 = 0x07,
    BeginProgramming = 0x08,
    BulkEraseProgram = 0x09,
    EndProgrammingA = 0x0A,
    BulkEraseData = 0x0B,
    EndProgrammingE = 0x0E,
    RowErase = 0x11,
    ResetAddress = 0x16,
    EndProgramming17 = 0x17,
    BeginProgrammingOnly = 0x18,
    ChipErase = 0x1F,
};

constexpr int32_t kCommandCodes = 64;

// What a command code does on one family.
enum class ChipAction : uint8_t {
    None,  // the family lacks the code: ignored
    LoadConfiguration,
    LoadProgram,
    LoadData,
    ReadProgram,
    ReadData,
    Increment,
    BeginEraseWrite,     // internally timed erase-then-write (also runs an armed erase)
    BeginWrite,          // internally timed programming only (also runs an armed erase)
    BeginExternal,       // externally timed programming, ends at End Programming
    BeginEraseExternal,  // externally timed row/byte erase, or runs an armed erase
    EndProgramming,
    BulkEraseProgram,  // armed or immediate, see FamilyTraits::bulk_erase_armed
    BulkEraseData,
    ChipErase,
    RowErase,
    EraseSetup1,  // the 01h/07h pair that precedes a Begin in the old erase sequence
    EraseSetup2,
    ResetAddress,  // PC back to 0000h, from config space too
};

enum class Family : uint8_t {
    F84A,    // 16F84A
    F62XA,   // 16F627A/628A/648A
    F87XA,   // 16F873A-877A
    F87_88,  // 16F87/88
    F629,    // 12F629/675, 16F630/676
    F690,    // 16F631-690
    F88X,    // 16F882-887
    F716,    // 16F716
    F7X,     // 16F72-77
    F87X,    // 16F870-877
    F72X,    // 16F722-727, 16F722A/723A
    F7X7,    // 16F737/747/767/777
    F683,    // 12F683, 16F684/688
    F635,    // 12F635, 16F636/639
    F91X,    // 16F913/914/916/917/946
    F61X,    // 12F609/615, 16F610/616
    F785,    // 16F785
    F83_84,  // 16F83, 16F84 (non-A)
    F62X,    // 16F627, 16F628 (non-A)
    F818,    // 16F818, 16F819
    Generic  // unknown part: the 16F627A/628A command set
};

// Which supply must rise first for a clean entry into programming mode.
enum class EntryOrder : uint8_t { VddFirst, VppFirst, Either };

// Cycle times in microseconds, the longest the part may need (a programmer
// that waits less spoils the write).
struct FamilyTimings {
    int32_t erase_write_us = 0;     // BeginEraseWrite
    int32_t write_us = 0;           // BeginWrite, program memory and config
    int32_t config_write_us = 0;    // BeginWrite in config space; 0 = write_us
    int32_t data_write_us = 0;      // BeginWrite on a data byte
    int32_t external_write_us = 0;  // minimum from BeginExternal to End Programming
    int32_t external_erase_us = 0;  // minimum from BeginEraseExternal (row/byte) to End
    int32_t bulk_erase_us = 0;      // bulk erase, armed or immediate, and row erase
    int32_t chip_erase_us = 0;      // ChipErase
    int32_t discharge_us = 0;       // after End Programming before the next command
    // Longest BeginExternal-to-End pulse the part allows; 0 = no limit.
    int32_t external_write_max_us = 0;
    int32_t row_erase_us = 0;  // RowErase; 0 = bulk_erase_us
    // Time after entering programming mode during which CLOCK must stay
    // still (no command bit may be clocked in); 0 = none.
    int32_t entry_hold_us = 0;
    // The 01h-07h-Begin erase; 0 = bulk_erase_us.
    int32_t setup_erase_us = 0;
};

// Behaviour shared by every part of a family.
struct FamilyTraits {
    Family family = Family::Generic;
    std::array<ChipAction, kCommandCodes> actions{};
    FamilyTimings timings;
    EntryOrder entry = EntryOrder::Either;
    // Longest time VPP may come after VDD on a VDD-first entry (the part
    // must not run its own code first); 0 = no limit.
    int32_t vdd_first_window_us = 0;
    bool bulk_erase_armed = false;      // 09h/0Bh only arm; the next Begin runs the erase
    bool load_config_discards = false;  // Load Configuration moves the PC but drops its data
    bool config_rewritable = false;     // config bits may be written back to 1 (except CP/CPD)
    bool config_write_keeps_latches = false;
    // A Begin in config space writes the whole latch row, unloaded latches
    // as 3FFFh, instead of only the words loaded since the last write.
    bool config_writes_whole_row = false;
    // BeginWrite erases a data byte before writing it (program memory is
    // never erased by it); without this, a data write gives old AND new.
    bool begin_write_erases_data = false;
    bool end_resets_latches = false;
    // An externally timed write does nothing in config space (the part only
    // writes config words and IDs with its internally timed Begin).
    bool external_write_skips_config = false;
    int32_t config_half_words = 16;  // implemented words from 2000h, aliased above
    int32_t config_words = 1;        // 2007h, or 2007h and 2008h
    // Per config word: bits that can be written, raw value after a full erase.
    std::array<uint16_t, 2> config_writable{0x3FFF, 0x3FFF};
    std::array<uint16_t, 2> config_erased{0x3FFF, 0x3FFF};
    uint16_t cp_mask = 0;   // CONFIG1 bits that protect program memory when any is 0
    uint16_t cpd_mask = 0;  // CONFIG1 bits that protect data memory when any is 0
    // CP1:CP0, doubled in bits 13-12 and 11-10, choose how much of the top
    // of program memory is protected (16F627/628) instead of all or nothing.
    bool cp_protects_top_range = false;
    int32_t calibration_address = 0;  // config-space calibration word (2008h/2009h), 0 = none
    int32_t calibration_count = 1;    // consecutive calibration words from calibration_address
    bool has_osccal = false;          // RETLW calibration in the last program word, BG in 2007h
    int32_t row_erase_words = 0;      // program words erased by RowErase / BeginEraseExternal
};

// One part: its family and what differs between parts of a family.
struct ChipVariant {
    std::string name;  // "16F628A", without the PIC prefix
    Family family = Family::Generic;
    int32_t flash_words = 0;
    int32_t eeprom_bytes = 0;
    uint16_t device_id = 0;  // 2006h, revision 0; 0 on parts without one
    int32_t write_latches = 1;
    // Erased config values; overrides the family's for the generic part.
    std::array<uint16_t, 2> config_erased{0x3FFF, 0x3FFF};
    int32_t config_words = 1;
};

// The traits of `family`. Always valid.
const FamilyTraits& family_traits(Family family);

// Every named part the simulator knows, in family order.
const std::vector<ChipVariant>& known_variants();

// Address of the first and last user ID and of the device ID in config space.
constexpr int32_t kConfigBase = 0x2000;
constexpr int32_t kUserIdWords = 4;
constexpr int32_t kDeviceIdAddress = 0x2006;
// kConfig1Address and kConfig2Address come from the memory image.
constexpr uint16_t kBlankWord = 0x3FFF;
constexpr uint8_t kBlankByte = 0xFF;
constexpr uint16_t kWordMask = 0x3FFF;

}  // namespace picprog
