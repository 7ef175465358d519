#include "platform/linux/ras/KeptFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>

#include "tests/linux/FixtureRoot.h"

namespace velnix::linux_platform {
namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

size_t OpenDescriptors() {
    return static_cast<size_t>(std::distance(fs::directory_iterator("/proc/self/fd"), {}));
}

// Whatever happens to the file between two reads, the second read gives what the path holds
// then, and the descriptors kept never pile up.
TEST(KeptFile, EachReadGivesWhatThePathHoldsNow) {
    testing::FixtureRoot root;
    const fs::path path = root.Path("/sys/class/net/ppp0/flags");
    const fs::path beside = root.Path("/sys/class/net/ppp0/.flags.new");
    fs::create_directories(path.parent_path());
    const struct {
        const char* change;
        std::function<void()> make;
        std::optional<std::string> expected;
    } cases[] = {
        {"written in place, longer", [&] { WriteFile(path, "0x1091 et plus\n"); },
         "0x1091 et plus\n"},
        {"written in place, shorter", [&] { WriteFile(path, "0x9\n"); }, "0x9\n"},
        {"replaced",
         [&] {
             WriteFile(beside, "0x1090\n");
             fs::rename(beside, path);
         },
         "0x1090\n"},
        {"removed", [&] { fs::remove(path); }, std::nullopt},
        {"made anew", [&] { WriteFile(path, "0x1\n"); }, "0x1\n"},
        {"larger than a page", [&] { WriteFile(path, std::string(9000, 'x')); },
         std::string(9000, 'x')},
    };
    KeptFile file;
    WriteFile(path, "0x1091\n");
    ASSERT_EQ(file.Read(path), "0x1091\n");
    const size_t descriptors = OpenDescriptors();
    for (const auto& c : cases) {
        c.make();
        EXPECT_EQ(file.Read(path), c.expected) << c.change;
        EXPECT_LE(OpenDescriptors(), descriptors) << c.change;
    }
    EXPECT_EQ(file.Read(path, 100), std::string(100, 'x')) << "the limit";
    fs::remove(path);
    fs::create_directory(path);
    EXPECT_FALSE(file.Read(path)) << "a folder in its place";
    EXPECT_EQ(errno, EISDIR);
}

}  // namespace
}  // namespace velnix::linux_platform
