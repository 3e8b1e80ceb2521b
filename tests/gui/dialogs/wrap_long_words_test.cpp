#include "gui/dialogs/wrap_long_words.h"

#include <gtest/gtest.h>

#include <QString>

#include "gui/dialogs/dialog_test_support.h"

namespace picprog {
namespace {

struct WrapCase {
    const char* label;
    QString input;
    QString expected;
};

// 70-character paths whose last separator within the first 55 characters
// is the 46th (Windows) or 47th (Linux) character.
const QString kWindowsPath = QStringLiteral("C:\\Projects\\Firmware\\Quellmark\\Release_Builds\\") +
                             QStringLiteral("blinker_firmware_v12.hex");
const QString kLinuxPath = QStringLiteral("/home/someone/projects/firmware/release_builds/") +
                           QStringLiteral("blinker_firmware_v2.hex");

TEST(MsgBoxWrapPaths, AreSeventyCharactersLong) {
    EXPECT_EQ(kWindowsPath.size(), 70);
    EXPECT_EQ(kLinuxPath.size(), 70);
}

class MsgBoxWrapTable : public ::testing::TestWithParam<WrapCase> {};

TEST_P(MsgBoxWrapTable, ProducesExpectedText) {
    EXPECT_EQ(wrap_long_words(GetParam().input), GetParam().expected) << GetParam().label;
}

INSTANTIATE_TEST_SUITE_P(
    MsgBoxWrapTable, MsgBoxWrapTable,
    ::testing::Values(
        WrapCase{"short text untouched", "File saved.", "File saved."},
        WrapCase{"windows path breaks after last backslash within 55", kWindowsPath,
                 kWindowsPath.left(46) + "\n" + kWindowsPath.mid(46)},
        WrapCase{"linux path breaks after last slash within 55", kLinuxPath,
                 kLinuxPath.left(47) + "\n" + kLinuxPath.mid(47)},
        WrapCase{"70 chars without separator stays whole", QString(70, u'x'), QString(70, u'x')},
        WrapCase{"underscore when no separator", QString(40, u'a') + "_" + QString(29, u'b'),
                 QString(40, u'a') + "_\n" + QString(29, u'b')},
        WrapCase{"separator beats a later underscore",
                 QString(10, u'a') + "\\" + QString(30, u'b') + "_" + QString(28, u'c'),
                 QString(10, u'a') + "\\\n" + QString(30, u'b') + "_" + QString(28, u'c')},
        WrapCase{"separator at position 55 still counts", QString(54, u'a') + "\\" + "bcdef",
                 QString(54, u'a') + "\\\n" + "bcdef"},
        WrapCase{"separator at position 56 is too far", QString(55, u'a') + "\\" + "bcdef",
                 QString(55, u'a') + "\\" + "bcdef"},
        WrapCase{"55-character word is not long", QString(20, u'a') + "\\" + QString(34, u'b'),
                 QString(20, u'a') + "\\" + QString(34, u'b')},
        WrapCase{"a word breaks only once", QString("\\abc").repeated(30),
                 QString("\\abc").repeated(13) + "\\\n" + QString("abc") +
                     QString("\\abc").repeated(16)},
        WrapCase{"only the long word of a line breaks", "Cannot open " + kWindowsPath + " now",
                 "Cannot open " + kWindowsPath.left(46) + "\n" + kWindowsPath.mid(46) + " now"},
        WrapCase{"one final CR LF dropped", "Done.\r\n", "Done."},
        WrapCase{"only one of two final CR LF dropped", "Done.\r\n\r\n", "Done.\n"},
        WrapCase{"CR LF lines joined with LF", "one\r\ntwo\r\n\r\nthree", "one\ntwo\n\nthree"},
        WrapCase{"LF lines accepted", "one\ntwo", "one\ntwo"},
        WrapCase{"double blanks survive", "a  b", "a  b"}));

}  // namespace
}  // namespace picprog
