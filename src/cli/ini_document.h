#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace picprog {

// The text of an INI file in the form Qt's QSettings (IniFormat) reads and
// writes, so that the command-line tool and the desktop program share one
// settings file without the tool linking Qt:
//   - top-level values live in the section [General]; a group that is
//     itself named "General" is written [%General];
//   - keys and section names escape every character other than letters,
//     digits, '_', '-' and '.' as %XX (or %UXXXX), and '/' as '\';
//   - values are UTF-8, with C-style escapes for quotes, backslashes and
//     control characters, and are quoted when they hold ';', ',' or '=' or
//     begin or end with a blank; "@@" stands for a leading "@".
// Lines the document does not change keep their exact text and order.
class IniDocument {
public:
    static IniDocument parse(std::string_view text);
    // The file text: every line ended by "\n".
    std::string text() const;

    // The text value of `key` in `group` ("" is the top level); nullopt
    // when absent or when it holds another type ("@Type(...)").
    std::optional<std::string> value(std::string_view group, std::string_view key) const;
    // Replaces the value, or adds it at the end of its group (the group at
    // the end of the file when it does not exist yet).
    void set_value(std::string_view group, std::string_view key, std::string_view value);

private:
    // Index of the line that holds `key` in `group`, if any (the last one:
    // a later duplicate wins, as it does in QSettings).
    std::optional<size_t> find(std::string_view group, std::string_view key) const;

    std::vector<std::string> lines_;
};

// Escaping of key and section names, and of values, as QSettings does it.
std::string ini_escaped_key(std::string_view key);
std::string ini_unescaped_key(std::string_view escaped);
std::string ini_escaped_value(std::string_view value);
// The text a stored value stands for; nullopt for a value of another type.
std::optional<std::string> ini_unescaped_value(std::string_view stored);

}  // namespace picprog
