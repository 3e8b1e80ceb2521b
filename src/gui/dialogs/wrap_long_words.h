#pragma once

#include <QString>

namespace picprog {

// Longest word the message box's text column holds on one line.
inline constexpr int kLongWordLimit = 55;

// Prepares a message for the message box and the clipboard. Line breaks may
// be CR LF or LF; one final line break is dropped. A word (text between
// single blanks) longer than kLongWordLimit characters is broken once, after
// the rightmost folder separator ("\" or "/") within its first
// kLongWordLimit characters, or else after the rightmost "_" there; a word
// with neither stays whole. Lines in the result are joined with LF.
QString wrap_long_words(const QString& text);

}  // namespace picprog
