#include "platform/linux/SystemRoot.h"

#include <cstdlib>
#include <string>

namespace velnix::linux_platform {

// The root is looked up on every path made, once a second and more: it is built again only when
// the variable's text changes (a test moves the root between its cases).
const std::filesystem::path& SystemRoot() {
    thread_local std::string text;
    thread_local std::filesystem::path root("/");
    const char* value = std::getenv("VELNIX_ROOT");
    const std::string_view now = value != nullptr ? value : "";
    if (now != text) {
        text = now;
        root = text.empty() ? std::filesystem::path("/") : std::filesystem::path(text);
    }
    return root;
}

namespace {

std::string_view WithoutLeadingSlashes(std::string_view path) {
    while (!path.empty() && path.front() == '/') path.remove_prefix(1);
    return path;
}

}  // namespace

std::filesystem::path UnderRoot(std::string_view absolutePath) {
    return SystemRoot() / WithoutLeadingSlashes(absolutePath);
}

std::string UnderRootText(std::string_view absolutePath) {
    std::string path = SystemRoot().native();
    if (!path.ends_with('/')) path += '/';
    path += WithoutLeadingSlashes(absolutePath);
    return path;
}

}  // namespace velnix::linux_platform
