#include "gui/platform/qt_settings_backend.h"

#include <QSettings>
#include <QStandardPaths>
#include <QVariant>
#include <memory>

namespace picprog {
namespace {

constexpr auto kIniFileName = "quellmark-picprog.ini";
constexpr auto kConfigFolderName = "quellmark-picprog";

// INI markers that keep the two kinds of value apart.
const QString kDwordMarker = QStringLiteral("dword:");
const QString kStringMarker = QStringLiteral("string:");
constexpr int kDwordHexDigits = 8;
constexpr int kHexBase = 16;

QString to_qstring(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// QSettings reads '/' and '\' as group separators; the key path is the only
// place a sub-key may be named, so a name keeps any separator it holds
// by escaping it.
QString value_key(std::string_view key_path, std::string_view name) {
    QString key = to_qstring(name);
    key.replace(QLatin1Char('/'), QStringLiteral("%2F")).replace(QLatin1Char('\\'), "%5C");
    if (key_path.empty()) {
        return key;
    }
    return to_qstring(key_path) + QLatin1Char('/') + key;
}

std::unique_ptr<QSettings> open(const QString& location, bool native) {
    if (native) {
        return std::make_unique<QSettings>(location, QSettings::NativeFormat);
    }
    return std::make_unique<QSettings>(location, QSettings::IniFormat);
}

}  // namespace

QString default_settings_ini_path() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1Char('/') + kConfigFolderName + QLatin1Char('/') + kIniFileName;
}

QtSettingsBackend::QtSettingsBackend() {
#ifdef Q_OS_WIN
    location_ =
        QStringLiteral("HKEY_CURRENT_USER\\Software\\Quellmark Parallel Port PIC Programmer");
    native_registry_ = true;
#else
    location_ = default_settings_ini_path();
#endif
}

QtSettingsBackend::QtSettingsBackend(QString ini_path) : location_(std::move(ini_path)) {}

void QtSettingsBackend::create_key(std::string_view key_path) {
    // Keys of an INI file exist through their values; the registry creates
    // a key with its first value. Nothing has to be made in advance.
    (void)key_path;
}

std::optional<std::string> QtSettingsBackend::read_string(std::string_view key_path,
                                                          std::string_view name) {
    auto settings = open(location_, native_registry_);
    const QVariant value = settings->value(value_key(key_path, name));
    if (!value.isValid()) {
        return std::nullopt;
    }
    if (native_registry_) {
        if (value.typeId() != QMetaType::QString) {
            return std::nullopt;
        }
        return value.toString().toStdString();
    }
    QString text = value.toString();
    if (text.startsWith(kDwordMarker)) {
        return std::nullopt;
    }
    if (text.startsWith(kStringMarker)) {
        text.remove(0, kStringMarker.size());
    }
    return text.toStdString();
}

std::optional<int32_t> QtSettingsBackend::read_dword(std::string_view key_path,
                                                     std::string_view name) {
    auto settings = open(location_, native_registry_);
    const QVariant value = settings->value(value_key(key_path, name));
    if (!value.isValid()) {
        return std::nullopt;
    }
    if (native_registry_) {
        if (value.typeId() != QMetaType::Int && value.typeId() != QMetaType::UInt) {
            return std::nullopt;
        }
        return static_cast<int32_t>(value.toUInt());
    }
    const QString text = value.toString();
    if (!text.startsWith(kDwordMarker) || text.size() != kDwordMarker.size() + kDwordHexDigits) {
        return std::nullopt;
    }
    bool ok = false;
    const uint32_t bits = text.mid(kDwordMarker.size()).toUInt(&ok, kHexBase);
    if (!ok) {
        return std::nullopt;
    }
    return static_cast<int32_t>(bits);
}

void QtSettingsBackend::write_string(std::string_view key_path, std::string_view name,
                                     std::string_view value) {
    auto settings = open(location_, native_registry_);
    QString text = to_qstring(value);
    if (!native_registry_ && (text.startsWith(kDwordMarker) || text.startsWith(kStringMarker))) {
        text.prepend(kStringMarker);
    }
    settings->setValue(value_key(key_path, name), text);
    settings->sync();
}

void QtSettingsBackend::write_dword(std::string_view key_path, std::string_view name,
                                    int32_t value) {
    auto settings = open(location_, native_registry_);
    if (native_registry_) {
        settings->setValue(value_key(key_path, name), value);
    } else {
        const auto bits = static_cast<uint32_t>(value);
        settings->setValue(value_key(key_path, name),
                           kDwordMarker + QStringLiteral("%1").arg(bits, kDwordHexDigits, kHexBase,
                                                                   QLatin1Char('0')));
    }
    settings->sync();
}

}  // namespace picprog
