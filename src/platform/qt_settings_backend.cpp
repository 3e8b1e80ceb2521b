#include "platform/qt_settings_backend.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QVariant>
#include <utility>

namespace picprog {
namespace {

constexpr auto kIniFileName = "quellmark-picprog.ini";
constexpr auto kConfigFolderName = "quellmark-picprog";

// INI markers that keep the two kinds of value apart.
const QString kDwordMarker = QStringLiteral("dword:");
const QString kStringMarker = QStringLiteral("string:");
constexpr int kDwordHexDigits = 8;
constexpr int kHexBase = 16;
constexpr qint64 kBytesPerKiB = 1024;

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

}  // namespace

QString default_settings_ini_path() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QLatin1Char('/') + kConfigFolderName + QLatin1Char('/') + kIniFileName;
}

std::string settings_file_problem(const QString& path) {
    // QFileInfo follows a symbolic link: a link to a regular file is fine.
    const QFileInfo file(path);
    if (!file.exists()) {
        return {};
    }
    if (!file.isFile()) {
        return "it is not a regular file";
    }
    if (file.size() > kMaxSettingsFileBytes) {
        return "it is larger than " + std::to_string(kMaxSettingsFileBytes / kBytesPerKiB) +
               " KiB (" + std::to_string(file.size()) + " bytes)";
    }
    return {};
}

QtSettingsBackend::QtSettingsBackend(QtSettingsOptions options)
    : options_(std::move(options)), held_(options_.hold_writes) {
#ifdef Q_OS_WIN
    location_ =
        QStringLiteral("HKEY_CURRENT_USER\\Software\\Quellmark Parallel Port PIC Programmer");
    native_registry_ = true;
#else
    location_ = default_settings_ini_path();
#endif
}

QtSettingsBackend::QtSettingsBackend(QString ini_path, QtSettingsOptions options)
    : location_(std::move(ini_path)), options_(std::move(options)), held_(options_.hold_writes) {}

QtSettingsBackend::~QtSettingsBackend() {
    flush();
}

QSettings* QtSettingsBackend::store() {
    if (!checked_) {
        checked_ = true;
        if (!native_registry_) {
            const std::string problem = settings_file_problem(location_);
            if (!problem.empty()) {
                ignored_reason_ = "The settings file " + location_.toStdString() +
                                  " is ignored: " + problem +
                                  ". The default settings are used, and nothing is written to it.";
                if (options_.warn) {
                    options_.warn(ignored_reason_);
                }
                return nullptr;
            }
        }
        // Opening reads the whole file once.
        settings_ = std::make_unique<QSettings>(
            location_, native_registry_ ? QSettings::NativeFormat : QSettings::IniFormat);
    } else if (settings_ && !held_) {
        // Looks at the file again only when it changed on disk.
        settings_->sync();
    }
    return settings_.get();
}

void QtSettingsBackend::written() {
    pending_ = true;
    if (!held_) {
        flush();
    }
}

void QtSettingsBackend::flush() {
    held_ = false;
    if (pending_ && settings_) {
        settings_->sync();
    }
    pending_ = false;
}

void QtSettingsBackend::create_key(std::string_view key_path) {
    // Keys of an INI file exist through their values; the registry creates
    // a key with its first value. Nothing has to be made in advance.
    (void)key_path;
}

std::optional<std::string> QtSettingsBackend::read_string(std::string_view key_path,
                                                          std::string_view name) {
    QSettings* settings = store();
    if (settings == nullptr) {
        return std::nullopt;
    }
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
    QSettings* settings = store();
    if (settings == nullptr) {
        return std::nullopt;
    }
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
    QSettings* settings = store();
    if (settings == nullptr) {
        return;
    }
    QString text = to_qstring(value);
    if (!native_registry_ && (text.startsWith(kDwordMarker) || text.startsWith(kStringMarker))) {
        text.prepend(kStringMarker);
    }
    settings->setValue(value_key(key_path, name), text);
    written();
}

void QtSettingsBackend::write_dword(std::string_view key_path, std::string_view name,
                                    int32_t value) {
    QSettings* settings = store();
    if (settings == nullptr) {
        return;
    }
    if (native_registry_) {
        settings->setValue(value_key(key_path, name), value);
    } else {
        const auto bits = static_cast<uint32_t>(value);
        settings->setValue(value_key(key_path, name),
                           kDwordMarker + QStringLiteral("%1").arg(bits, kDwordHexDigits, kHexBase,
                                                                   QLatin1Char('0')));
    }
    written();
}

}  // namespace picprog
