#include "core/engine/algorithm_engine.h"

#include <charconv>

#include "core/memory/hex_text.h"

namespace picprog {
namespace {

constexpr std::string_view kReportHeader = "Memory Location,   Read Value,   Expected,\r\n";
constexpr std::string_view kConfig1Caption = "CONF1:";
constexpr std::string_view kConfig2Caption = "CONF2:";
constexpr int32_t kFullWord = 0x3FFF;

std::string flash_location(int32_t address) {
    return "FLASH Word " + hex4h(address);
}
std::string eeprom_location(int32_t address) {
    return "EEPROM Byte " + hex4h(address);
}
std::string config_location(int32_t address) {
    return "CONF Word " + hex4h(address);
}

}  // namespace

void AlgorithmEngine::load_instructions(const std::vector<std::string>& list) {
    const auto count = static_cast<int32_t>(list.size());
    texts_.assign(1, std::string());
    texts_.insert(texts_.end(), list.begin(), list.end());
    decoded_.assign(1, Instruction{});
    for (const std::string& text : list) {
        decoded_.push_back(decode_instruction(text));
    }
    // The forward searches of the loop exit and the page condition, done
    // once here instead of on every pass.
    next_loop_.assign(static_cast<size_t>(count) + 1, 0);
    next_endifpage_.assign(static_cast<size_t>(count) + 1, 0);
    int32_t loop_after = 0;
    int32_t endifpage_after = 0;
    for (int32_t i = count; i >= 0; --i) {
        next_loop_[static_cast<size_t>(i)] = loop_after;
        next_endifpage_[static_cast<size_t>(i)] = endifpage_after;
        if (texts_[static_cast<size_t>(i)] == "loop") {
            loop_after = i;
        } else if (texts_[static_cast<size_t>(i)] == "endifpage") {
            endifpage_after = i;
        }
    }
    instruction_count_ = count;
}

void AlgorithmEngine::prepare_run() {
    address_ = 0;
    flash_last_ = model_.flash_size - 1;
    eeprom_last_ = model_.eeprom_size - 1;
    pc_ = 1;
    loop_head_in_run_ = false;
    stop_requested_ = false;
    steps_ = 0;
    step_limit_reached_ = false;
    outcome_ = RunOutcome::Completed;
    error_.clear();
}

RunOutcome AlgorithmEngine::run(OperationView& view) {
    while (pc_ <= instruction_count_) {
        if (!execute_instruction(view)) {
            break;
        }
    }
    return outcome_;
}

bool AlgorithmEngine::execute_instruction(OperationView& view) {
    if (outcome_ != RunOutcome::Completed) {
        return false;
    }
    if (step_limit_ > 0 && ++steps_ > step_limit_) {
        step_limit_reached_ = true;
        stop_requested_ = true;
    }
    if (stop_requested_) {
        driver_.power_down();
        outcome_ = RunOutcome::Stopped;
        return false;
    }
    if (pc_ < 1 || pc_ > instruction_count_) {
        return false;
    }
    execute(decoded_[static_cast<size_t>(pc_)], view);
    return outcome_ == RunOutcome::Completed;
}

void AlgorithmEngine::execute(const Instruction& ins, OperationView& view) {
    const int32_t start = address_;
    switch (ins.op) {
        case OpCode::Begin:
            driver_.power_up(model_.voltage_sequence);
            break;
        case OpCode::End:
            driver_.power_down();
            break;
        case OpCode::CalcFlash:
        case OpCode::CalcFlashPage:
        case OpCode::CalcEeprom:
            if (ins.op == OpCode::CalcFlashPage && model_.page_size < 1) {
                fail(view, "it needs a page size of at least 1, and the model gives " +
                               std::to_string(model_.page_size));
                return;
            }
            calc_extent(ins.op);
            break;
        case OpCode::SetFlashLoop:
        case OpCode::SetEepromLoop: {
            if (next_loop_[static_cast<size_t>(pc_)] == 0) {
                fail(view, "no \"loop\" follows this loop head");
                return;
            }
            loop_head(ins.op == OpCode::SetFlashLoop ? flash_last_ : eeprom_last_);
            return;
        }
        case OpCode::Loop:
            if (!loop_head_in_run_) {
                fail(view, "no loop head came before it in this run");
                return;
            }
            pc_ = loop_start_;
            return;
        case OpCode::IfPage:
            if (model_.page_size < 1) {
                fail(view, "it needs a page size of at least 1, and the model gives " +
                               std::to_string(model_.page_size));
                return;
            }
            if (next_endifpage_[static_cast<size_t>(pc_)] == 0) {
                fail(view, "no \"endifpage\" follows it");
                return;
            }
            page_condition();
            return;
        case OpCode::EndIfPage:
            break;
        case OpCode::SendFlash:
            caption(view, 'F');
            driver_.send_command_with_data(ins.command, flash_at(start));
            driver_.short_delay();
            ++address_;
            break;
        case OpCode::SendEeprom:
            caption(view, 'E');
            driver_.send_command_with_data(ins.command, eeprom_at(start));
            driver_.short_delay();
            ++address_;
            break;
        case OpCode::SendConfig1:
            fixed_caption(view, kConfig1Caption);
            driver_.send_command_with_data(ins.command, image_.config[1]);
            driver_.short_delay();
            break;
        case OpCode::SendConfig2:
            fixed_caption(view, kConfig2Caption);
            driver_.send_command_with_data(ins.command, image_.config[2]);
            driver_.short_delay();
            break;
        case OpCode::ReadFlash:
            caption(view, 'F');
            store_flash(start, driver_.send_command_read_data(ins.command));
            driver_.short_delay();
            ++address_;
            break;
        case OpCode::ReadEeprom:
            caption(view, 'E');
            store_eeprom(start, driver_.send_command_read_data(ins.command) & 0xFF);
            driver_.short_delay();
            ++address_;
            break;
        case OpCode::ReadConfig1:
            fixed_caption(view, kConfig1Caption);
            image_.config[1] = driver_.send_command_read_data(ins.command);
            driver_.short_delay();
            break;
        case OpCode::ReadConfig2:
            fixed_caption(view, kConfig2Caption);
            image_.config[2] = driver_.send_command_read_data(ins.command);
            driver_.short_delay();
            break;
        case OpCode::ReadTemp:
            temp_ = driver_.send_command_read_data(ins.command);
            driver_.short_delay();
            break;
        case OpCode::CheckBlankFlash:
        case OpCode::CheckBlankEeprom:
        case OpCode::CheckBlankConfig1:
        case OpCode::CheckBlankConfig2:
        case OpCode::CheckFlash:
        case OpCode::CheckEeprom:
        case OpCode::CheckConfig1:
        case OpCode::CheckConfig2:
            check(view, ins);
            return;
        case OpCode::SendData:
            driver_.send_command_with_data(ins.command, ins.data);
            driver_.short_delay();
            break;
        case OpCode::SendCommand:
            driver_.send_command(ins.command);
            driver_.short_delay();
            break;
        case OpCode::WaitProgramming:
            if (model_.programming_time > 0) {
                driver_.backend().sleep_ms(model_.programming_time);
            }
            break;
        case OpCode::Wait:
            // A negative wait means no wait.
            if (ins.wait_ms > 0) {
                driver_.backend().sleep_ms(ins.wait_ms);
            }
            break;
        case OpCode::Unrecognized:
            unrecognized(view);
            return;
    }
    ++pc_;
}

void AlgorithmEngine::caption(OperationView& view, char memory) {
    // Reuses one buffer: this runs before every location of every loop.
    auto append_number = [this](int64_t value) {
        char digits[24];
        const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
        caption_.append(digits, end);
    };
    caption_.clear();
    caption_ += memory;
    caption_ += ':';
    append_number(static_cast<int64_t>(address_) + 1);
    caption_ += '/';
    append_number(static_cast<int64_t>(loop_last_) + 1);
    view.set_status(caption_);
    view.pump_events();
}

void AlgorithmEngine::fixed_caption(OperationView& view, std::string_view text) {
    view.set_status(text);
    view.pump_events();
}

void AlgorithmEngine::calc_extent(OpCode op) {
    const bool eeprom = op == OpCode::CalcEeprom;
    const std::vector<int32_t>& memory = eeprom ? image_.eeprom : image_.flash;
    const int32_t blank = eeprom ? kBlankEepromByte : kBlankFlashWord;
    int32_t last = static_cast<int32_t>(memory.size()) - 1;
    while (last >= 0 && memory[static_cast<size_t>(last)] == blank) {
        --last;
    }
    if (eeprom) {
        eeprom_last_ = last;
    } else if (op == OpCode::CalcFlash) {
        flash_last_ = last;
    } else {
        // The page holding the last used word is sent to its end; a blank
        // buffer (last -1, remainder -1) gives one full page.
        const int32_t page = model_.page_size;
        flash_last_ = last - last % page + page - 1;
    }
}

void AlgorithmEngine::loop_head(int32_t last) {
    loop_start_ = pc_;
    loop_last_ = last;
    loop_head_in_run_ = true;
    if (address_ <= last) {
        ++pc_;
        return;
    }
    address_ = 0;
    pc_ = next_loop_[static_cast<size_t>(pc_)] + 1;
}

void AlgorithmEngine::page_condition() {
    if (address_ > 0 && address_ % model_.page_size == 0) {
        ++pc_;
        return;
    }
    pc_ = next_endifpage_[static_cast<size_t>(pc_)] + 1;
}

void AlgorithmEngine::check(OperationView& view, const Instruction& ins) {
    const int32_t a = address_;
    std::string location;
    int32_t read = temp_;
    int32_t expected = 0;
    bool byte_values = false;
    switch (ins.op) {
        case OpCode::CheckBlankFlash:
        case OpCode::CheckFlash:
            caption(view, 'F');
            ++address_;
            expected = ins.op == OpCode::CheckFlash ? flash_at(a) : kBlankFlashWord;
            // The factory calibration word holds the chip's own value.
            if (read != expected && model_.safety.osccal_address != a) {
                location = flash_location(a);
            }
            break;
        case OpCode::CheckBlankEeprom:
        case OpCode::CheckEeprom:
            caption(view, 'E');
            ++address_;
            read = temp_ & 0xFF;
            expected = ins.op == OpCode::CheckEeprom ? eeprom_at(a) : kBlankEepromByte;
            byte_values = true;
            if (read != expected) {
                location = eeprom_location(a);
            }
            break;
        case OpCode::CheckBlankConfig1:
        case OpCode::CheckConfig1:
            fixed_caption(view, kConfig1Caption);
            expected = ins.op == OpCode::CheckConfig1 ? image_.config[1] : model_.config_erased[1];
            if (config_differs(1, read, expected)) {
                location = config_location(kConfig1Address);
            }
            break;
        default:
            fixed_caption(view, kConfig2Caption);
            expected = ins.op == OpCode::CheckConfig2 ? image_.config[2] : model_.config_erased[2];
            if (config_differs(2, read, expected)) {
                location = config_location(kConfig2Address);
            }
            break;
    }
    ++pc_;
    if (!location.empty()) {
        if (byte_values) {
            add_mismatch(location, hex2h(read), hex2h(expected));
        } else {
            add_mismatch(location, hex4h(read), hex4h(expected));
        }
    }
}

bool AlgorithmEngine::config_differs(int slot, int32_t read, int32_t expected) const {
    const int32_t mask = model_.safety.compare_mask(slot);
    if (mask == kFullWord) {
        return read != expected;  // a model without masks compares as it always did
    }
    // Unimplemented bits read as the chip fixes them, calibration bits hold
    // the chip's own values: neither tells whether the chip is right.
    return ((read ^ expected) & mask) != 0;
}

void AlgorithmEngine::reset_report() {
    mismatch_count_ = 0;
    mismatch_report_ = std::string(kReportHeader);
}

void AlgorithmEngine::add_mismatch(std::string_view location, std::string_view read_value,
                                   std::string_view expected) {
    ++mismatch_count_;
    mismatch_report_.append(location);
    mismatch_report_.append(",   ");
    mismatch_report_.append(read_value);
    mismatch_report_.append(",   ");
    mismatch_report_.append(expected);
    mismatch_report_.append(",\r\n");
    // Only the moment the count reaches the limit ends the walk: the list's
    // last instruction (normally "end") runs next.
    if (mismatch_count_ == kMismatchLimit) {
        pc_ = instruction_count_;
    }
}

void AlgorithmEngine::fail(OperationView& view, std::string_view reason) {
    // A list that cannot go on must not leave VPP or VDD applied.
    driver_.power_down();
    outcome_ = RunOutcome::ListError;
    error_ = "The algorithm cannot run instruction " + std::to_string(pc_) + " '" +
             texts_[static_cast<size_t>(pc_)] + "': " + std::string(reason) +
             ".\r\nThe operation was stopped and the chip powered down.";
    view.msg_box(error_, MsgKind::Error, kProductTitle);
}

void AlgorithmEngine::unrecognized(OperationView& view) {
    // Switch every line off before the message waits for the user, so the
    // chip is never left with VPP applied when the program ends.
    driver_.all_lines_off();
    outcome_ = RunOutcome::Unrecognized;
    view.msg_box("Unrecognized symbolic instruction '" + texts_[static_cast<size_t>(pc_)] +
                     "'.\r\nThe program must end.",
                 MsgKind::Error, kProductTitle);
    view.fatal_exit();
}

int32_t AlgorithmEngine::flash_at(int32_t address) const {
    // Locations outside the buffer read as blank.
    if (address < 0 || address >= static_cast<int32_t>(image_.flash.size())) {
        return kBlankFlashWord;
    }
    return image_.flash[static_cast<size_t>(address)];
}

int32_t AlgorithmEngine::eeprom_at(int32_t address) const {
    if (address < 0 || address >= static_cast<int32_t>(image_.eeprom.size())) {
        return kBlankEepromByte;
    }
    return image_.eeprom[static_cast<size_t>(address)];
}

void AlgorithmEngine::store_flash(int32_t address, int32_t value) {
    // A value read for a location outside the buffer is dropped.
    if (address >= 0 && address < static_cast<int32_t>(image_.flash.size())) {
        image_.flash[static_cast<size_t>(address)] = value;
    }
}

void AlgorithmEngine::store_eeprom(int32_t address, int32_t value) {
    if (address >= 0 && address < static_cast<int32_t>(image_.eeprom.size())) {
        image_.eeprom[static_cast<size_t>(address)] = value;
    }
}

}  // namespace picprog
