#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/windows/portable/ProgramPath.h"

namespace velnix::windows_platform {
namespace {

TEST(ProgramPathTest, SplitsFolderNameAndExtension) {
    struct Case {
        std::string path;
        std::string folder;
        std::string name;
        std::string extension;
    };
    const std::vector<Case> cases = {
        {R"(C:\Program Files\Velnix\velnix.exe)", R"(C:\Program Files\Velnix)", "velnix", ".exe"},
        {R"(C:\velnix.exe)", R"(C:\)", "velnix", ".exe"},
        {R"(\\serveur\partage\velnix.exe)", R"(\\serveur\partage)", "velnix", ".exe"},
        {R"(D:\Outils\velnix.v2.exe)", R"(D:\Outils)", "velnix.v2", ".exe"},
        {R"(D:\Outils\velnix)", R"(D:\Outils)", "velnix", ""},
    };
    for (const Case& c : cases) {
        const ProgramPath parts = SplitProgramPath(c.path);
        EXPECT_EQ(parts.folder, c.folder) << c.path;
        EXPECT_EQ(parts.name, c.name) << c.path;
        EXPECT_EQ(parts.extension, c.extension) << c.path;
    }
}

TEST(ProgramPathTest, TheProgramOfACommandLineIsItsFirstWord) {
    EXPECT_EQ(CommandProgram(R"(rasdial.exe "Numéris" "jean" "secret")"), "rasdial.exe");
    EXPECT_EQ(CommandProgram(R"("C:\Program Files\Outil\info.exe" /a)"),
              R"(C:\Program Files\Outil\info.exe)");
    EXPECT_EQ(CommandProgram("\tinfo.exe"), "info.exe");
    EXPECT_EQ(CommandProgram("  "), "");
}

}  // namespace
}  // namespace velnix::windows_platform
