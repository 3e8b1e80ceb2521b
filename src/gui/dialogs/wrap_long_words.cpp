#include "gui/dialogs/wrap_long_words.h"

#include <QStringList>
#include <algorithm>

namespace picprog {
namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QChar kLineFeed = u'\n';
const QChar kBlank = u' ';

// Index of the last character of `word`'s head (within the limit) after
// which a break goes, or -1 when the word has no place to break.
qsizetype break_index(const QString& word) {
    const QString head = word.left(kLongWordLimit);
    const qsizetype separator = std::max(head.lastIndexOf(u'\\'), head.lastIndexOf(u'/'));
    if (separator >= 0) {
        return separator;
    }
    return head.lastIndexOf(u'_');
}

QString break_word(const QString& word) {
    if (word.size() <= kLongWordLimit) {
        return word;
    }
    const qsizetype at = break_index(word);
    if (at < 0) {
        return word;
    }
    return word.left(at + 1) + kLineFeed + word.mid(at + 1);
}

}  // namespace

QString wrap_long_words(const QString& text) {
    QString unified = text;
    unified.replace(kCrLf, QString(kLineFeed));
    if (unified.endsWith(kLineFeed)) {
        unified.chop(1);
    }
    QStringList lines = unified.split(kLineFeed);
    for (QString& line : lines) {
        QStringList words = line.split(kBlank);
        for (QString& word : words) {
            word = break_word(word);
        }
        line = words.join(kBlank);
    }
    return lines.join(kLineFeed);
}

}  // namespace picprog
