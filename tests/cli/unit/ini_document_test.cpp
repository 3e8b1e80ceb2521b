#include "cli/ini_document.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace picprog {
namespace {

// Written by QSettings (Qt 6.4, IniFormat) from these values: "Last Path" =
// "/home/u/some dir/", "Weird" = a,b;c=d "q" \ back, "Lead" = " lead",
// "At" = "@foo", "Empty" = "", "Uml" = "Grüße<TAB>x", "Sub/Val" = "x",
// "pct%2F" = "y", "General" = "g".
constexpr std::string_view kQtWritten =
    "[General]\n"
    "At=@@foo\n"
    "Color%20Theme=Original Lite\n"
    "Empty=\n"
    "General=g\n"
    "Last%20Path=/home/u/some dir/\n"
    "Lead=\" lead\"\n"
    "Microcontroller%20Model=3\n"
    "Uml=Gr\xC3\xBC\xC3\x9F"
    "e\\tx\n"
    "Weird=\"a,b;c=d \\\"q\\\" \\\\ back\"\n"
    "pct%252F=y\n"
    "\n"
    "[Sub]\n"
    "Val=x\n";

TEST(IniDocumentQtText, ReadsWhatQSettingsWrote) {
    const IniDocument doc = IniDocument::parse(kQtWritten);
    EXPECT_EQ(doc.value("", "Last Path"), "/home/u/some dir/");
    EXPECT_EQ(doc.value("", "Microcontroller Model"), "3");
    EXPECT_EQ(doc.value("", "Weird"), "a,b;c=d \"q\" \\ back");
    EXPECT_EQ(doc.value("", "Lead"), " lead");
    EXPECT_EQ(doc.value("", "At"), "@foo");
    EXPECT_EQ(doc.value("", "Empty"), "");
    EXPECT_EQ(doc.value("", "Uml"),
              "Gr\xC3\xBC\xC3\x9F"
              "e\tx");
    EXPECT_EQ(doc.value("", "pct%2F"), "y");
    EXPECT_EQ(doc.value("", "General"), "g");
    EXPECT_EQ(doc.value("Sub", "Val"), "x");
    EXPECT_EQ(doc.value("", "Val"), std::nullopt);
    EXPECT_EQ(doc.value("", "Missing"), std::nullopt);
}

TEST(IniDocumentQtText, WritesValuesAsQSettingsDoes) {
    IniDocument doc;
    doc.set_value("", "At", "@foo");
    doc.set_value("", "Lead", " lead");
    doc.set_value("", "Weird", "a,b;c=d \"q\" \\ back");
    doc.set_value("", "Uml",
                  "Gr\xC3\xBC\xC3\x9F"
                  "e\tx");
    doc.set_value("", "pct%2F", "y");
    doc.set_value("Sub", "Val", "x");
    EXPECT_EQ(doc.text(),
              "[General]\n"
              "At=@@foo\n"
              "Lead=\" lead\"\n"
              "Weird=\"a,b;c=d \\\"q\\\" \\\\ back\"\n"
              "Uml=Gr\xC3\xBC\xC3\x9F"
              "e\\tx\n"
              "pct%252F=y\n"
              "\n"
              "[Sub]\n"
              "Val=x\n");
}

TEST(IniDocumentEdit, ReplacingAValueKeepsEveryOtherLine) {
    IniDocument doc = IniDocument::parse(kQtWritten);
    doc.set_value("", "Microcontroller Model", "5");
    std::string expected(kQtWritten);
    expected.replace(expected.find("Model=3"), 7, "Model=5");
    EXPECT_EQ(doc.text(), expected);
}

TEST(IniDocumentEdit, NewValueJoinsTheEndOfItsSection) {
    IniDocument doc = IniDocument::parse("[General]\na=1\n\n[Sub]\nb=2\n");
    doc.set_value("", "c", "3");
    doc.set_value("Sub", "d", "4");
    EXPECT_EQ(doc.text(), "[General]\na=1\nc=3\n\n[Sub]\nb=2\nd=4\n");
}

TEST(IniDocumentEdit, GroupNamedGeneralIsKeptApartFromTheTopLevel) {
    IniDocument doc;
    doc.set_value("General", "x", "group");
    doc.set_value("", "x", "top");
    EXPECT_THAT(doc.text(), ::testing::HasSubstr("[%General]\nx=group\n"));
    EXPECT_EQ(doc.value("General", "x"), "group");
    EXPECT_EQ(doc.value("", "x"), "top");
}

TEST(IniDocumentParse, ToleratesWindowsLineEndsBlanksAndComments) {
    const IniDocument doc =
        IniDocument::parse("; written by hand\r\n[general]\r\n  Key%20A  =  spaced value   \r\n");
    EXPECT_EQ(doc.value("", "Key A"), "spaced value");
}

TEST(IniDocumentParse, LaterDuplicateWins) {
    EXPECT_EQ(IniDocument::parse("[General]\nk=1\nk=2\n").value("", "k"), "2");
}

TEST(IniValueText, OtherTypesReadAsMissingAndListsAsEmpty) {
    EXPECT_EQ(ini_unescaped_value("@Invalid()"), std::nullopt);
    EXPECT_EQ(ini_unescaped_value("@Variant(\\0\\0\\0\\x7f)"), std::nullopt);
    EXPECT_EQ(ini_unescaped_value("@ByteArray(abc)"), "abc");
    EXPECT_EQ(ini_unescaped_value("one, two"), "");
}

TEST(IniValueText, EscapesRoundTrip) {
    for (const std::string& value :
         {std::string("plain"), std::string("tab\there"),
          std::string("x\x01"
                      "1y"),
          std::string("trailing "), std::string("semi;colon"), std::string("back\\slash"),
          std::string("new\nline"), std::string("@@two")}) {
        EXPECT_EQ(ini_unescaped_value(ini_escaped_value(value)), value) << value;
    }
    // A control character before a hex digit escapes the digit too, so the
    // reader does not take it into the escape.
    EXPECT_EQ(ini_escaped_value("x\x01"
                                "1"),
              "x\\x1\\x31");
}

TEST(IniKeyText, EscapesEverythingButLettersDigitsAndThreeMarks) {
    EXPECT_EQ(ini_escaped_key("Last Path"), "Last%20Path");
    EXPECT_EQ(ini_escaped_key("a_b-c.d"), "a_b-c.d");
    EXPECT_EQ(ini_escaped_key("Sub/Key"), "Sub\\Key");
    EXPECT_EQ(ini_escaped_key("100%"), "100%25");
    EXPECT_EQ(ini_escaped_key("\xC3\xBC"), "%FC");
    EXPECT_EQ(ini_escaped_key("\xE2\x82\xAC"), "%U20AC");
    for (const char* key : {"Last Path", "Sub/Key", "100%", "\xE2\x82\xAC x"}) {
        EXPECT_EQ(ini_unescaped_key(ini_escaped_key(key)), key);
    }
}

}  // namespace
}  // namespace picprog
