#include "core/sim/chip_families.h"

#include <initializer_list>
#include <utility>

namespace picprog {
namespace {

using C = IcspCommand;
using A = ChipAction;

constexpr uint16_t kBandGapBits = 0x3000;

std::array<ChipAction, kCommandCodes> command_table(
    std::initializer_list<std::pair<IcspCommand, ChipAction>> entries) {
    std::array<ChipAction, kCommandCodes> table{};
    table.fill(ChipAction::None);
    for (const auto& [code, action] : entries) {
        table[static_cast<size_t>(code)] = action;
    }
    return table;
}

// The load, read and increment commands every family here shares.
constexpr std::pair<IcspCommand, ChipAction> kProgramCore[] = {
    {C::LoadConfiguration, A::LoadConfiguration},
    {C::LoadProgram, A::LoadProgram},
    {C::ReadProgram, A::ReadProgram},
    {C::IncrementAddress, A::Increment},
};

std::array<ChipAction, kCommandCodes> with_core(
    std::initializer_list<std::pair<IcspCommand, ChipAction>> extra, bool data_memory) {
    auto table = command_table(extra);
    for (const auto& [code, action] : kProgramCore) {
        table[static_cast<size_t>(code)] = action;
    }
    if (data_memory) {
        table[static_cast<size_t>(C::LoadData)] = A::LoadData;
        table[static_cast<size_t>(C::ReadData)] = A::ReadData;
    }
    return table;
}

FamilyTraits make_84a() {
    FamilyTraits t;
    t.family = Family::F84A;
    t.actions = with_core({{C::BeginProgramming, A::BeginEraseWrite},
                           {C::BeginProgrammingOnly, A::BeginWrite},
                           {C::BulkEraseProgram, A::BulkEraseProgram},
                           {C::BulkEraseData, A::BulkEraseData},
                           {C::BulkEraseSetup1, A::EraseSetup1},
                           {C::BulkEraseSetup2, A::EraseSetup2}},
                          true);
    t.timings = {
        .erase_write_us = 8000, .write_us = 4000, .data_write_us = 4000, .bulk_erase_us = 10000};
    t.entry = EntryOrder::VddFirst;
    t.bulk_erase_armed = true;
    t.cp_mask = 0x3FF0;
    // Code protection covers the data memory too on this part.
    t.cpd_mask = 0x3FF0;
    return t;
}

FamilyTraits make_62xa() {
    FamilyTraits t;
    t.family = Family::F62XA;
    t.actions = with_core({{C::BeginProgramming, A::BeginWrite},
                           {C::BulkEraseProgram, A::BulkEraseProgram},
                           {C::BulkEraseData, A::BulkEraseData}},
                          true);
    t.timings = {.write_us = 4000, .data_write_us = 6000, .bulk_erase_us = 6000};
    t.entry = EntryOrder::VppFirst;
    t.config_writable = {0x21FF, 0x3FFF};
    t.cp_mask = 0x2000;
    t.cpd_mask = 0x0100;
    return t;
}

FamilyTraits make_87xa() {
    FamilyTraits t;
    t.family = Family::F87XA;
    t.actions = with_core({{C::BeginProgramming, A::BeginEraseWrite},
                           {C::BeginProgrammingOnly, A::BeginExternal},
                           {C::EndProgramming17, A::EndProgramming},
                           {C::BulkEraseProgram, A::BulkEraseProgram},
                           {C::BulkEraseData, A::BulkEraseData},
                           {C::ChipErase, A::ChipErase}},
                          true);
    t.timings = {.erase_write_us = 8000,
                 .external_write_us = 1000,
                 .bulk_erase_us = 8000,
                 .chip_erase_us = 8000};
    t.entry = EntryOrder::VddFirst;
    t.bulk_erase_armed = true;
    t.end_resets_latches = true;
    t.config_writes_whole_row = true;
    t.config_writable = {0x2FCF, 0x3FFF};
    t.cp_mask = 0x2000;
    t.cpd_mask = 0x0100;
    return t;
}

FamilyTraits make_87_88() {
    FamilyTraits t;
    t.family = Family::F87_88;
    t.actions = with_core({{C::BeginProgramming, A::BeginEraseExternal},
                           {C::BeginProgrammingOnly, A::BeginExternal},
                           {C::EndProgramming17, A::EndProgramming},
                           {C::BulkEraseProgram, A::BulkEraseProgram},
                           {C::BulkEraseData, A::BulkEraseData},
                           {C::ChipErase, A::ChipErase}},
                          true);
    t.timings = {.external_write_us = 1000,
                 .external_erase_us = 1000,
                 .bulk_erase_us = 2000,
                 .chip_erase_us = 8000};
    t.entry = EntryOrder::Either;
    t.bulk_erase_armed = true;
    t.load_config_discards = true;
    t.config_rewritable = true;
    t.end_resets_latches = true;
    t.config_half_words = 32;
    t.config_words = 2;
    t.config_writable = {0x3FFF, 0x0003};
    t.cp_mask = 0x2000;
    t.cpd_mask = 0x0100;
    t.row_erase_words = 32;
    return t;
}

FamilyTraits make_629() {
    FamilyTraits t;
    t.family = Family::F629;
    t.actions = with_core({{C::BeginProgramming, A::BeginWrite},
                           {C::BeginProgrammingOnly, A::BeginExternal},
                           {C::EndProgrammingA, A::EndProgramming},
                           {C::BulkEraseProgram, A::BulkEraseProgram},
                           {C::BulkEraseData, A::BulkEraseData}},
                          true);
    t.timings = {.write_us = 2500,
                 .data_write_us = 6000,
                 .external_write_us = 2000,
                 .bulk_erase_us = 8000,
                 .discharge_us = 1};
    t.entry = EntryOrder::VppFirst;
    t.begin_write_erases_data = true;
    t.config_half_words = 32;
    t.config_writable = {0x01FF | kBandGapBits, 0x3FFF};
    t.config_erased = {0x31FF, 0x3FFF};
    t.cp_mask = 0x0080;
    t.cpd_mask = 0x0100;
    t.has_osccal = true;
    return t;
}

FamilyTraits make_690() {
    FamilyTraits t;
    t.family = Family::F690;
    t.actions = with_core({{C::BeginProgramming, A::BeginWrite},
                           {C::BeginProgrammingOnly, A::BeginExternal},
                           {C::EndProgrammingA, A::EndProgramming},
                           {C::BulkEraseProgram, A::BulkEraseProgram},
                           {C::BulkEraseData, A::BulkEraseData},
                           {C::RowErase, A::RowErase}},
                          true);
    t.timings = {.write_us = 3000,
                 .data_write_us = 6000,
                 .external_write_us = 3000,
                 .bulk_erase_us = 6000,
                 .discharge_us = 100};
    t.entry = EntryOrder::Either;
    t.config_write_keeps_latches = true;
    t.config_half_words = 32;
    // Bits 13-12 are documented both as reading 1 and as reading 0; this
    // model reads them as 1. Programmers compare under the 0FFFh mask.
    t.config_writable = {0x0FFF, 0x3FFF};
    t.cp_mask = 0x0040;
    t.cpd_mask = 0x0080;
    t.calibration_address = 0x2008;
    t.row_erase_words = 16;
    return t;
}

FamilyTraits make_88x() {
    FamilyTraits t = make_690();
    t.family = Family::F88X;
    t.timings.external_write_us = 2000;
    t.config_half_words = 128;
    t.config_words = 2;
    t.config_writable = {0x3FFF, 0x0700};
    t.calibration_address = 0x2009;
    return t;
}

FamilyTraits make_716() {
    FamilyTraits t;
    t.family = Family::F716;
    t.actions = with_core({{C::BeginProgrammingOnly, A::BeginExternal},
                           {C::EndProgrammingE, A::EndProgramming},
                           {C::BulkEraseProgram, A::BulkEraseProgram}},
                          false);
    t.timings = {.external_write_us = 2000, .bulk_erase_us = 6000, .discharge_us = 100};
    t.entry = EntryOrder::VddFirst;
    t.config_rewritable = true;
    t.config_half_words = 32;
    t.config_writable = {0x20CF, 0x3FFF};
    t.cp_mask = 0x2000;
    return t;
}

FamilyTraits make_7x() {
    FamilyTraits t;
    t.family = Family::F7X;
    t.actions = with_core({{C::BeginProgramming, A::BeginExternal},
                           {C::EndProgrammingE, A::EndProgramming},
                           {C::BulkEraseProgram, A::ChipErase}},
                          false);
    // tprog is 1 ms minimum and 1 ms maximum.
    t.timings = {.external_write_us = 1000, .chip_erase_us = 30000, .external_write_max_us = 1000};
    t.entry = EntryOrder::VddFirst;
    t.load_config_discards = true;
    t.config_half_words = 32;
    t.config_writable = {0x005F, 0x3FFF};
    t.cp_mask = 0x0010;
    return t;
}

FamilyTraits make_87x() {
    FamilyTraits t;
    t.family = Family::F87X;
    t.actions = with_core({{C::BeginProgramming, A::BeginEraseWrite},
                           {C::BeginProgrammingOnly, A::BeginWrite},
                           {C::BulkEraseSetup1, A::EraseSetup1},
                           {C::BulkEraseSetup2, A::EraseSetup2}},
                          true);
    t.timings = {
        .erase_write_us = 8000, .write_us = 4000, .data_write_us = 4000, .bulk_erase_us = 8000};
    t.entry = EntryOrder::VddFirst;
    t.config_writable = {0x3BFF, 0x3FFF};
    t.cp_mask = 0x3030;
    t.cpd_mask = 0x0100;
    return t;
}

// 16F722-727 and the A parts: eight latches selected by PC<2:0>, internally
// timed writes (08h) that only program, and externally timed ones (18h ...
// 0Ah) that the part refuses in config space. Bulk Erase ignores code
// protection and never touches the two calibration words at 2009h-200Ah;
// Reset Address (16h) is the only way back to 0000h without leaving the
// mode. Config space is implemented up to 21FFh and aliases above.
FamilyTraits make_72x() {
    FamilyTraits t;
    t.family = Family::F72X;
    t.actions = with_core({{C::BeginProgramming, A::BeginWrite},
                           {C::BeginProgrammingOnly, A::BeginExternal},
                           {C::EndProgrammingA, A::EndProgramming},
                           {C::BulkEraseProgram, A::BulkEraseProgram},
                           {C::RowErase, A::RowErase},
                           {C::ResetAddress, A::ResetAddress}},
                          false);
    // TPINT is 2.5 ms for program words and 5 ms for config words; TPEXT
    // is 1.0-2.1 ms. Clocks must stay still for TENTH after entry.
    t.timings = {.write_us = 2500,
                 .config_write_us = 5000,
                 .external_write_us = 1000,
                 .bulk_erase_us = 5000,
                 .discharge_us = 100,
                 .external_write_max_us = 2100,
                 .row_erase_us = 2500,
                 .entry_hold_us = 250};
    t.entry = EntryOrder::Either;
    t.external_write_skips_config = true;
    t.config_half_words = 0x200;
    t.config_words = 2;
    // CONFIG1 bits 11 and 7 and all of CONFIG2 but VCAPEN (5-4) read as 1.
    t.config_writable = {0x377F, 0x0030};
    t.cp_mask = 0x0040;
    t.calibration_address = 0x2009;
    t.calibration_count = 2;
    t.row_erase_words = 32;
    return t;
}

// 16F737/747/767/777: the 16F7X command set (08h externally timed, 0Eh ends
// it, 09h is a chip erase) with two config words and CP in bit 13.
FamilyTraits make_7x7() {
    FamilyTraits t = make_7x();
    t.family = Family::F7X7;
    // Any PC in 2000h-203Fh selects config memory.
    t.config_half_words = 64;
    t.config_words = 2;
    t.config_writable = {0x39FF, 0x0043};
    t.cp_mask = 0x2000;
    return t;
}

// The 12F683 group shares the 16F690 family's programming document and
// behaves as it does.
FamilyTraits make_683() {
    FamilyTraits t = make_690();
    t.family = Family::F683;
    return t;
}

// Same document again, with the wake-up reset bit (12) in 2007h and a
// second calibration word at 2009h.
FamilyTraits make_635() {
    FamilyTraits t = make_690();
    t.family = Family::F635;
    t.config_half_words = 64;
    t.config_writable = {0x1FFF, 0x3FFF};
    t.calibration_count = 2;
    return t;
}

// The 16F690 command set, but 08h erases a data byte before writing it.
// DEBUG (bit 12) is implemented; two calibration words at 2008h/2009h.
FamilyTraits make_91x() {
    FamilyTraits t = make_690();
    t.family = Family::F91X;
    t.config_half_words = 64;
    t.config_writable = {0x1FFF, 0x3FFF};
    t.begin_write_erases_data = true;
    t.calibration_count = 2;
    return t;
}

// Seven commands only: one externally timed write (18h ... 0Ah), a program
// bulk erase, no data memory. Whether the latches survive a config write is
// not documented; keeping them is the stricter reading.
FamilyTraits make_61x() {
    FamilyTraits t;
    t.family = Family::F61X;
    t.actions = with_core({{C::BeginProgrammingOnly, A::BeginExternal},
                           {C::EndProgrammingA, A::EndProgramming},
                           {C::BulkEraseProgram, A::BulkEraseProgram}},
                          false);
    t.timings = {.external_write_us = 3000, .bulk_erase_us = 6000, .discharge_us = 100};
    t.entry = EntryOrder::Either;
    t.config_write_keeps_latches = true;
    t.config_half_words = 64;
    t.config_writable = {0x03FF, 0x3FFF};
    t.cp_mask = 0x0040;
    t.calibration_address = 0x2008;
    return t;
}

// The 16F690 command set with shorter write cycles: TPROG1 and TPROG2 are
// 2.5 ms at most, so an externally timed pulse longer than that is a fault.
// Whether 08h erases a data byte first is documented both ways: this model
// does not, so a programmer must erase the data before writing it.
FamilyTraits make_785() {
    FamilyTraits t = make_690();
    t.family = Family::F785;
    t.timings.write_us = 2500;
    t.timings.external_write_us = 2000;
    t.timings.external_write_max_us = 2500;
    t.config_half_words = 64;
    t.calibration_count = 2;
    return t;
}

// The old 16F8X parts: no Begin Programming Only and no usable 09h/0Bh;
// every write erases the cell first and may take 20 ms.
FamilyTraits make_83_84() {
    FamilyTraits t;
    t.family = Family::F83_84;
    t.actions = with_core({{C::BeginProgramming, A::BeginEraseWrite},
                           {C::BulkEraseSetup1, A::EraseSetup1},
                           {C::BulkEraseSetup2, A::EraseSetup2}},
                          true);
    t.timings = {.erase_write_us = 20000, .bulk_erase_us = 10000};
    t.entry = EntryOrder::VddFirst;
    t.cp_mask = 0x3FF0;
    t.cpd_mask = 0x3FF0;
    return t;
}

// 16F627/628 without the A: 09h/0Bh only arm an erase and refuse on a
// protected part; only 01h-07h-Begin at 2007h lifts code protection.
FamilyTraits make_62x() {
    FamilyTraits t;
    t.family = Family::F62X;
    t.actions = with_core({{C::BeginProgramming, A::BeginEraseWrite},
                           {C::BeginProgrammingOnly, A::BeginWrite},
                           {C::BulkEraseProgram, A::BulkEraseProgram},
                           {C::BulkEraseData, A::BulkEraseData},
                           {C::BulkEraseSetup1, A::EraseSetup1},
                           {C::BulkEraseSetup2, A::EraseSetup2}},
                          true);
    // Tera 5 ms and Tprog 8 ms at most; 08h needs both.
    t.timings = {.erase_write_us = 13000,
                 .write_us = 8000,
                 .data_write_us = 8000,
                 .bulk_erase_us = 5000,
                 .setup_erase_us = 13000};
    t.entry = EntryOrder::VppFirst;
    t.bulk_erase_armed = true;
    t.config_writable = {0x3DFF, 0x3FFF};
    t.cp_mask = 0x3C00;
    t.cpd_mask = 0x0100;
    t.cp_protects_top_range = true;
    return t;
}

// 16F818/819: the 16F87/88 command set with one config word, and MCLR must
// reach VIHH within 250 us of VDD when VDD comes first.
FamilyTraits make_818() {
    FamilyTraits t = make_87_88();
    t.family = Family::F818;
    t.entry = EntryOrder::Either;
    t.vdd_first_window_us = 250;
    t.config_words = 1;
    t.config_writable = {0x3FFF, 0x3FFF};
    return t;
}

FamilyTraits make_generic() {
    FamilyTraits t = make_62xa();
    t.family = Family::Generic;
    t.entry = EntryOrder::Either;
    t.config_writable = {0x3FFF, 0x3FFF};
    return t;
}

ChipVariant variant(std::string name, Family family, int32_t flash, int32_t eeprom,
                    uint16_t device_id, int32_t latches = 1) {
    const FamilyTraits& traits = family_traits(family);
    return ChipVariant{.name = std::move(name),
                       .family = family,
                       .flash_words = flash,
                       .eeprom_bytes = eeprom,
                       .device_id = device_id,
                       .write_latches = latches,
                       .config_erased = traits.config_erased,
                       .config_words = traits.config_words};
}

std::vector<ChipVariant> make_variants() {
    using F = Family;
    return {
        variant("16F84A", F::F84A, 1024, 64, 0x0560),
        variant("16F627A", F::F62XA, 1024, 128, 0x1040),
        variant("16F628A", F::F62XA, 2048, 128, 0x1060),
        variant("16F648A", F::F62XA, 4096, 256, 0x1100),
        variant("16F873A", F::F87XA, 4096, 128, 0x0E40, 8),
        variant("16F874A", F::F87XA, 4096, 128, 0x0E60, 8),
        variant("16F876A", F::F87XA, 8192, 256, 0x0E00, 8),
        variant("16F877A", F::F87XA, 8192, 256, 0x0E20, 8),
        variant("16F87", F::F87_88, 4096, 256, 0x0720, 4),
        variant("16F88", F::F87_88, 4096, 256, 0x0760, 4),
        variant("12F629", F::F629, 1024, 128, 0x0F80),
        variant("12F675", F::F629, 1024, 128, 0x0FC0),
        variant("16F630", F::F629, 1024, 128, 0x10C0),
        variant("16F676", F::F629, 1024, 128, 0x10E0),
        variant("16F631", F::F690, 1024, 128, 0x1420, 4),
        variant("16F677", F::F690, 2048, 256, 0x1440, 4),
        variant("16F685", F::F690, 4096, 256, 0x04A0, 4),
        variant("16F687", F::F690, 2048, 256, 0x1320, 4),
        variant("16F689", F::F690, 4096, 256, 0x1340, 4),
        variant("16F690", F::F690, 4096, 256, 0x1400, 4),
        variant("16F882", F::F88X, 2048, 128, 0x2000, 4),
        variant("16F883", F::F88X, 4096, 256, 0x2020, 4),
        variant("16F884", F::F88X, 4096, 256, 0x2040, 4),
        variant("16F886", F::F88X, 8192, 256, 0x2060, 8),
        variant("16F887", F::F88X, 8192, 256, 0x2080, 8),
        variant("16F716", F::F716, 2048, 0, 0x1140, 4),
        variant("16F72", F::F7X, 2048, 0, 0x00A0, 2),
        variant("16F73", F::F7X, 4096, 0, 0x0600, 2),
        variant("16F74", F::F7X, 4096, 0, 0x0620, 2),
        variant("16F76", F::F7X, 8192, 0, 0x0640, 2),
        variant("16F77", F::F7X, 8192, 0, 0x0660, 2),
        variant("16F870", F::F87X, 2048, 64, 0x0D00),
        variant("16F871", F::F87X, 2048, 64, 0x0D20),
        variant("16F872", F::F87X, 2048, 64, 0x08E0),
        variant("16F873", F::F87X, 4096, 128, 0x0960),
        variant("16F874", F::F87X, 4096, 128, 0x0920),
        variant("16F876", F::F87X, 8192, 256, 0x09E0),
        variant("16F877", F::F87X, 8192, 256, 0x09A0),
        variant("16F722", F::F72X, 2048, 0, 0x1880, 8),
        variant("16F723", F::F72X, 4096, 0, 0x1860, 8),
        variant("16F724", F::F72X, 4096, 0, 0x1840, 8),
        variant("16F726", F::F72X, 8192, 0, 0x1820, 8),
        variant("16F727", F::F72X, 8192, 0, 0x1800, 8),
        variant("16F722A", F::F72X, 2048, 0, 0x1B20, 8),
        variant("16F723A", F::F72X, 4096, 0, 0x1B00, 8),
        variant("16F737", F::F7X7, 4096, 0, 0x0BA0, 2),
        variant("16F747", F::F7X7, 4096, 0, 0x0BE0, 2),
        variant("16F767", F::F7X7, 8192, 0, 0x0EA0, 2),
        variant("16F777", F::F7X7, 8192, 0, 0x0DE0, 2),
        variant("12F683", F::F683, 2048, 256, 0x0460, 4),
        variant("16F684", F::F683, 2048, 256, 0x1080, 4),
        variant("16F688", F::F683, 4096, 256, 0x1180, 4),
        variant("12F635", F::F635, 1024, 128, 0x0FA0, 4),
        variant("16F636", F::F635, 2048, 256, 0x10A0, 4),
        variant("16F639", F::F635, 2048, 256, 0x10A0, 4),
        variant("16F913", F::F91X, 4096, 256, 0x13E0, 4),
        variant("16F914", F::F91X, 4096, 256, 0x13C0, 4),
        variant("16F916", F::F91X, 8192, 256, 0x13A0, 8),
        variant("16F917", F::F91X, 8192, 256, 0x1380, 8),
        variant("16F946", F::F91X, 8192, 256, 0x1460, 8),
        variant("12F609", F::F61X, 1024, 0, 0x2240),
        variant("12F615", F::F61X, 1024, 0, 0x2180),
        variant("16F610", F::F61X, 1024, 0, 0x2260),
        variant("16F616", F::F61X, 2048, 0, 0x1240, 4),
        variant("16F785", F::F785, 2048, 256, 0x1200, 4),
        variant("16F83", F::F83_84, 512, 64, 0),
        variant("16F84", F::F83_84, 1024, 64, 0),
        variant("16F627", F::F62X, 1024, 128, 0x07A0),
        variant("16F628", F::F62X, 2048, 128, 0x07C0),
        variant("16F818", F::F818, 1024, 128, 0x04C0, 4),
        variant("16F819", F::F818, 2048, 256, 0x04E0, 4),
    };
}

}  // namespace

const FamilyTraits& family_traits(Family family) {
    // In the order of the Family enumeration.
    static const std::array<FamilyTraits, 21> kTraits = {
        make_84a(), make_62xa(), make_87xa(), make_87_88(), make_629(),   make_690(),
        make_88x(), make_716(),  make_7x(),   make_87x(),   make_72x(),   make_7x7(),
        make_683(), make_635(),  make_91x(),  make_61x(),   make_785(),   make_83_84(),
        make_62x(), make_818(),  make_generic()};
    return kTraits[static_cast<size_t>(family)];
}

const std::vector<ChipVariant>& known_variants() {
    static const std::vector<ChipVariant> kVariants = make_variants();
    return kVariants;
}

}  // namespace picprog
