#pragma once

#include <cstdint>

namespace picprog {

// Where the 14-bit PIC address space sits in an Intel HEX file. Word
// addresses are what the chip and the image use; the file holds byte
// addresses, twice the word address, each word low byte first.

constexpr int32_t kIdLocationFirst = 0x2000;  // ID locations 2000h-2003h: accepted, not stored
constexpr int32_t kIdLocationLast = 0x2003;
constexpr int32_t kReservedWord = 0x2006;  // accepted, not stored
// config[n] holds the word at kConfigIndexBase + n (2007h and 2008h).
constexpr int32_t kConfigIndexBase = 0x2006;
constexpr int32_t kEepromWordBase = 0x2100;  // EEPROM byte 0 as a word address

constexpr int32_t kConfigByteAddress = 2 * 0x2007;           // 400Eh
constexpr int32_t kEepromByteAddress = 2 * kEepromWordBase;  // 4200h
// A type 04 record's value counts units of this many words (64 KiB of bytes).
constexpr int64_t kExtendedAddressWords = 0x8000;

constexpr int32_t kFlashWordMask = 0x3FFF;  // 14-bit program and configuration words
constexpr int32_t kEepromByteMask = 0xFF;

// Record types.
constexpr int32_t kRecordData = 0x00;
constexpr int32_t kRecordEndOfFile = 0x01;
constexpr int32_t kRecordExtendedLinearAddress = 0x04;
constexpr int32_t kRecordStartLinearAddress = 0x05;

}  // namespace picprog
