#include "platform/qt/settings/IniText.h"

#include <gtest/gtest.h>

namespace velnix::qt_platform {
namespace {

TEST(IniText, ValuesAreRawTextAfterTheFirstEquals) {
    const IniText ini = IniText::Parse(
        "; notes\n[Tenaline]\nLogin = jean\nPassWord=  a, b = c  \r\n\n[Autre]\nLogin=x\n");
    EXPECT_EQ(ini.Value("Tenaline", "Login"), " jean") << "hand-edited: the key is trimmed only";
    EXPECT_EQ(ini.Value("Tenaline", "PassWord"), "  a, b = c  ");
    EXPECT_EQ(ini.Value("Autre", "Login"), "x");
    EXPECT_EQ(ini.Value("Tenaline", "Absent"), std::nullopt);
    EXPECT_EQ(ini.Value("Absente", "Login"), std::nullopt);
}

TEST(IniText, AnyTextSurvivesARoundTrip) {
    IniText ini;
    const std::string tricky = " \\ a\\nb\nligne 2\r\n[Section]\nKey=; # é \"q\" , ";
    ini.SetValue("Tenaline", "PassWord", tricky);
    ini.SetValue("Tenaline", "Login", "");
    ini.SetValue("Velnix", "AutoMask", "True");
    ini.SetValue("Tenaline", "Login", "jean");
    const IniText back = IniText::Parse(ini.Serialise());
    EXPECT_EQ(back.Value("Tenaline", "PassWord"), tricky);
    EXPECT_EQ(back.Value("Tenaline", "Login"), "jean");
    EXPECT_EQ(back.Value("Velnix", "AutoMask"), "True");
    EXPECT_EQ(ini.Serialise(), back.Serialise());
}

TEST(IniText, AHandEditedFileWithAByteOrderMarkOrOldLineEndsIsRead) {
    const IniText bom = IniText::Parse("\xEF\xBB\xBF[Tenaline]\r\nLogin=jean\r\n");
    EXPECT_EQ(bom.Value("Tenaline", "Login"), "jean") << "an editor's UTF-8 mark";
    const IniText mac = IniText::Parse("[Tenaline]\rLogin=jean\rPassWord=x y\r");
    EXPECT_EQ(mac.Value("Tenaline", "Login"), "jean") << "carriage returns alone";
    EXPECT_EQ(mac.Value("Tenaline", "PassWord"), "x y");
    const IniText twice = IniText::Parse("[Tenaline]\r\r\nPassWord=secret\r\r\n");
    EXPECT_EQ(twice.Value("Tenaline", "PassWord"), "secret") << "no stray carriage return";
}

// Names are found whatever their letter case, and keep the file's spelling when written again.
TEST(IniText, HandEditedNamesInAnotherCaseAreTheSameKeys) {
    IniText ini = IniText::Parse("[tenaline]\nlogin=jean\nLOGIN=paul\n[TENALINE]\nPassWord=x\n");
    EXPECT_EQ(ini.Value("Tenaline", "Login"), "paul") << "the last of the same key wins";
    EXPECT_EQ(ini.Value("Tenaline", "PassWord"), "x") << "one section, however spelt";
    ini.SetValue("Tenaline", "Login", "marie");
    EXPECT_EQ(ini.Serialise(), "[tenaline]\nlogin=jean\nLOGIN=marie\n[TENALINE]\nPassWord=x\n")
        << "the line that is read is the line that is written";
}

// A write changes the line of its key, or adds one to its section, and leaves every other byte.
TEST(IniText, AWriteKeepsEveryOtherByteOfAHandEditedFile) {
    constexpr char kHandEdited[] =
        "\xEF\xBB\xBF# lu par Velnix\r\nPerdu=avant toute section\r\n\r\n"
        "[Tenaline]\r\n; mon compte\r\n  Login = jean  \r\nPortée inconnue\r\n"
        "Inconnue=1\r\n\r\n[Autre]\r\nLogin=x\r\n";
    const struct {
        const char* input;
        const char* section;
        const char* key;
        const char* value;
        const char* expected;
    } cases[] = {
        {kHandEdited, "Tenaline", "Login", "paul",
         "\xEF\xBB\xBF# lu par Velnix\r\nPerdu=avant toute section\r\n\r\n"
         "[Tenaline]\r\n; mon compte\r\n  Login =paul\r\nPortée inconnue\r\n"
         "Inconnue=1\r\n\r\n[Autre]\r\nLogin=x\r\n"},
        {kHandEdited, "Tenaline", "PassWord", "a\nb",
         "\xEF\xBB\xBF# lu par Velnix\r\nPerdu=avant toute section\r\n\r\n"
         "[Tenaline]\r\n; mon compte\r\n  Login = jean  \r\nPortée inconnue\r\n"
         "Inconnue=1\r\nPassWord=a\\nb\r\n\r\n[Autre]\r\nLogin=x\r\n"},
        {kHandEdited, "Velnix", "AutoMask", "True",
         "\xEF\xBB\xBF# lu par Velnix\r\nPerdu=avant toute section\r\n\r\n"
         "[Tenaline]\r\n; mon compte\r\n  Login = jean  \r\nPortée inconnue\r\n"
         "Inconnue=1\r\n\r\n[Autre]\r\nLogin=x\r\n\r\n[Velnix]\r\nAutoMask=True\r\n"},
        {"[Tenaline]\rLogin=jean", "Tenaline", "PassWord", "x",
         "[Tenaline]\rLogin=jean\rPassWord=x"},
        {"[Tenaline]\n; vide\n", "Tenaline", "Login", "jean", "[Tenaline]\nLogin=jean\n; vide\n"},
        {"; rien\n", "Tenaline", "Login", "jean", "; rien\n\n[Tenaline]\nLogin=jean\n"},
        {"", "Tenaline", "Login", "jean", "[Tenaline]\nLogin=jean\n"},
    };
    for (const auto& c : cases) {
        IniText ini = IniText::Parse(c.input);
        ini.SetValue(c.section, c.key, c.value);
        EXPECT_EQ(ini.Serialise(), c.expected) << c.input << " + " << c.key;
        EXPECT_EQ(IniText::Parse(ini.Serialise()).Value(c.section, c.key), c.value);
    }
}

TEST(IniText, AHandEditedWindowsPathKeepsItsBackslashes) {
    EXPECT_EQ(IniText::Parse("[S]\nK=C:\\temp\\x\n").Value("S", "K"), "C:\\temp\\x");
    EXPECT_EQ(IniText::Parse("[S]\nK=C:\\x41\\x1\n").Value("S", "K"), "C:\\x41\\x1");
}

}  // namespace
}  // namespace velnix::qt_platform
