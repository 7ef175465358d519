#include "platform/windows/main/WindowsDialogOpener.h"

namespace velnix::windows_platform {
namespace {
constexpr std::string_view kMissing = "Cette fenêtre n'est pas encore disponible sous Windows.";
}

void WindowsDialogOpener::OpenConfiguration(std::shared_ptr<InternetTenaline> /*lIAC*/,
                                            int /*leftTwips*/, int /*topTwips*/) {
    messages_.Show(kMissing, kApplicationTitle, MsgBox::Icon::Information);
}

void WindowsDialogOpener::ShowAbout() {
    messages_.Show(kMissing, kApplicationTitle, MsgBox::Icon::Information);
}

}  // namespace velnix::windows_platform
