#pragma once

#include <string>
#include <vector>

#include "core/devices/current_model.h"
#include "core/engine/algorithm_engine.h"
#include "core/hardware/line_driver.h"
#include "support/fixed_word_backend.h"
#include "support/recording_view.h"

namespace picprog::test_support {

// An engine over a recording back end and a small model (64 words of FLASH,
// 16 EEPROM bytes, page size 8), with a recording view.
struct EngineFixture {
    EngineFixture() {
        model.flash_size = 64;
        model.eeprom_size = 16;
        model.config_erased = {0, 0x3FFF, 0x3FFF};
        model.page_size = 8;
        model.programming_time = 5;
        model.voltage_sequence = VoltageSequence::VddFirst;
        image.blank_image(model);
    }

    // Loads the list (split as the database does) and runs it from the top.
    RunOutcome run(const std::string& text) {
        engine.load_instructions(split_instructions(text));
        engine.prepare_run();
        return engine.run(view);
    }

    // Counts the backend's recorded sleeps of `ms` milliseconds.
    int sleeps_of(int32_t ms) const {
        int n = 0;
        for (const PortAccess& a : backend.accesses()) {
            n += a.kind == PortAccess::Kind::Sleep && a.amount == ms ? 1 : 0;
        }
        return n;
    }

    CurrentModel model;
    MemoryImage image;
    LineSettings settings;
    PortShadow shadow;
    // Answers 3FFFh (a blank word) to every read frame unless told otherwise.
    FixedWordBackend backend{settings, 0x3FFF};
    LineDriver driver{settings, shadow, backend};
    AlgorithmEngine engine{driver, image, model};
    RecordingView view;
};

}  // namespace picprog::test_support
