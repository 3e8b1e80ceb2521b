#include "gui/mainwindow/in_place_editor.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QStyle>
#include <cmath>
#include <string>

#include "core/memory/hex_text.h"
#include "gui/mainwindow/buffer_table.h"
#include "gui/mainwindow/cell_hit.h"
#include "gui/mainwindow/clickable_label.h"

namespace picprog {
namespace {

constexpr int32_t kMaxWord = 0x3FFF;
constexpr int32_t kMaxByte = 0xFF;
constexpr int kWordDigits = 4;
constexpr int kByteDigits = 2;
constexpr std::string_view kPadding = "000";
// The box spans a value's digits and this much of a character on either
// side, so its frame lies in the blanks between the values, not on a digit.
constexpr double kBoxMarginChars = 0.5;

}  // namespace

int32_t edited_value(std::string_view text) {
    if (text.empty()) {
        return -1;
    }
    std::string padded(kPadding);
    for (const char c : text) {
        padded += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    }
    return parse_hex4(std::string_view(padded).substr(padded.size() - kWordDigits));
}

InPlaceEditor::InPlaceEditor(MainWindowControls& controls, const CurrentModel& model,
                             MemoryImage& image, Hooks hooks, QObject* parent)
    : QObject(parent), controls_(controls), model_(model), image_(image), hooks_(std::move(hooks)) {
    box_ = new CellEditBox(controls_.client);
    box_->hide();
    box_->installEventFilter(this);

    controls_.tabla_flash->installEventFilter(this);
    controls_.tabla_eeprom->installEventFilter(this);
    for (int i = 0; i < 2; ++i) {
        connect(controls_.label_conf[static_cast<size_t>(i)], &ClickableLabel::clicked, this,
                [this, i] { open_config(i); });
    }
}

bool InPlaceEditor::open_at(Target target, QPoint point) {
    if (hooks_.busy && hooks_.busy()) {
        return false;
    }
    const bool flash = target == Target::Flash;
    BufferTable* table = flash ? controls_.tabla_flash : controls_.tabla_eeprom;
    const CellColumns& columns = flash ? kFlashColumns : kEepromColumns;
    const TextGrid grid = table->text_grid();
    const std::optional<Cell> cell = cell_at(grid, columns, point);
    if (!cell) {
        return false;
    }
    const QScrollBar* bar = flash ? controls_.scrl1 : controls_.scrl2;
    const int32_t index = (bar->value() + cell->row) * kLocationsPerRow + cell->column;
    const int32_t size = flash ? model_.flash_size : model_.eeprom_size;
    if (index >= size) {
        return false;
    }
    target_ = target;
    index_ = index;
    const double digits_left = cell_text_left(grid, columns, *cell);
    const double margin = kBoxMarginChars * grid.char_width;
    const int left = static_cast<int>(std::floor(digits_left - margin));
    const int right =
        static_cast<int>(std::ceil(digits_left + columns.digits * grid.char_width + margin));
    const QRect in_table(left, cell_rect(grid, columns, *cell).top(), right - left, grid.row_pitch);
    const QPointF origin(digits_left - left, grid.baseline);
    show_box(QRect(table->mapTo(controls_.client, in_table.topLeft()), in_table.size()), origin,
             table->font(), flash ? kWordDigits : kByteDigits);
    return true;
}

void InPlaceEditor::open_config(int i) {
    if ((hooks_.busy && hooks_.busy()) || (i == 1 && !model_.config2_used)) {
        return;
    }
    target_ = Target::Config;
    index_ = i + 1;
    // Where the label draws its centred value, so the typed digits cover it.
    const ClickableLabel* label = controls_.label_conf[static_cast<size_t>(i)];
    const QFontMetrics metrics(label->font());
    const QRect text = QStyle::alignedRect(
        label->layoutDirection(), label->alignment(),
        QSize(metrics.horizontalAdvance(label->text()), metrics.height()), label->contentsRect());
    show_box(label->geometry(), QPointF(text.left(), text.top() + metrics.ascent()), label->font(),
             kWordDigits);
}

void InPlaceEditor::show_box(const QRect& client_rect, QPointF origin, const QFont& font,
                             int max_length) {
    box_->setGeometry(client_rect);
    box_->setFont(font);
    box_->set_text_origin(origin);
    box_->setMaxLength(max_length);
    box_->clear();
    box_->show();
    box_->raise();
    box_->setFocus(Qt::OtherFocusReason);
}

void InPlaceEditor::commit() {
    const int32_t value = edited_value(box_->text().toStdString());
    const int32_t limit = target_ == Target::Eeprom ? kMaxByte : kMaxWord;
    if (value >= 0 && value <= limit) {
        switch (target_) {
            case Target::Flash:
                image_.flash.at(static_cast<size_t>(index_)) = value;
                break;
            case Target::Eeprom:
                image_.eeprom.at(static_cast<size_t>(index_)) = value;
                break;
            case Target::Config:
                image_.config.at(static_cast<size_t>(index_)) = value;
                break;
            case Target::None:
                return;
        }
        close_box();
        if (hooks_.stored) {
            hooks_.stored();
        }
        return;
    }
    close_box();
}

void InPlaceEditor::close_box() {
    if (closing_) {
        return;
    }
    closing_ = true;
    QScrollBar* bar = target_ == Target::Eeprom ? controls_.scrl2 : controls_.scrl1;
    bar->setFocus(Qt::OtherFocusReason);
    box_->hide();
    closing_ = false;
}

bool InPlaceEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched == box_) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Escape) {
                close_box();
                return true;
            }
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                commit();
                return true;
            }
        } else if (event->type() == QEvent::FocusOut && box_->isVisible()) {
            close_box();
        }
        return QObject::eventFilter(watched, event);
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            const Target target = watched == controls_.tabla_flash ? Target::Flash : Target::Eeprom;
            open_at(target, mouse->position().toPoint());
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace picprog
