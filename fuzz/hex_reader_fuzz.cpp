// Feeds arbitrary bytes to the HEX reader. Beyond "no crash, no sanitizer
// report" it checks two properties: an accepted file's image stays within
// its value ranges, and writing that image and reading it back gives it again.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/hexfile/hex_messages.h"
#include "core/hexfile/hex_reader.h"
#include "core/hexfile/hex_writer.h"

namespace {

using picprog::CurrentModel;
using picprog::MemoryImage;

constexpr int32_t kFirstNonFlashWord = 0x2000;

struct Shape {
    int32_t flash_size;
    int32_t eeprom_size;
    bool config2_used;
};

// Model shapes the first input byte chooses from, including a FLASH large
// enough to reach the ID locations and one without EEPROM.
constexpr std::array<Shape, 4> kShapes = {Shape{2048, 128, false}, Shape{8192, 256, true},
                                          Shape{1024, 0, false}, Shape{0x2010, 64, true}};

void require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const Shape& shape = kShapes[data[0] % kShapes.size()];
    CurrentModel model;
    model.flash_size = shape.flash_size;
    model.eeprom_size = shape.eeprom_size;
    model.config2_used = shape.config2_used;
    model.config_erased = {0, 0x3FFF, 0x3FFF};

    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    MemoryImage image;
    image.blank_image(model);
    const picprog::HexParseResult result = picprog::parse_hex_file(text, model, image);
    if (!result.ok()) {
        require(result.line >= 1);
        require(!picprog::hex_error_message(result).empty());
        return 0;
    }
    if (!result.out_of_range.empty()) {
        require(!picprog::out_of_range_warning(result.out_of_range).empty());
    }
    require(result.words_loaded >= 0 && result.words_loaded <= model.flash_size);
    for (int32_t word : image.flash) {
        require(word >= 0 && word <= 0x3FFF);
    }
    for (int32_t byte : image.eeprom) {
        require(byte >= 0 && byte <= 0xFF);
    }

    // A FLASH reaching 2000h shadows the ID and configuration addresses: the
    // writer's configuration record then reads back as FLASH, so only real
    // shapes (FLASH below 2000h) can round-trip.
    if (model.flash_size > kFirstNonFlashWord) {
        return 0;
    }
    MemoryImage reread;
    reread.blank_image(model);
    const picprog::HexParseResult again =
        picprog::parse_hex_file(picprog::hex_file_text(image, model), model, reread);
    require(again.ok());
    require(reread.flash == image.flash);
    require(reread.eeprom == image.eeprom);
    require(reread.config[1] == image.config[1]);
    require(!model.config2_used || reread.config[2] == image.config[2]);
    return 0;
}
