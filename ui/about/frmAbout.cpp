#include "ui/about/frmAbout.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "common/Guarded.h"
#include "common/Version.h"
#include "config/RegistryKeys.h"
#include "ui/about/AboutTexts.h"

namespace velnix {

namespace {
constexpr uint32_t kValueRoom = 1024;
}  // namespace

frmAbout::frmAbout(AboutView& view, const AboutServices& services)
    : view_(view), services_(services) {}

void frmAbout::Form_Load() {
    const std::string title(kApplicationTitle);
    view_.SetCaption("A propos " + title);
    view_.SetLblVersion("Version " + std::to_string(version::kMajor) + "." +
                        std::to_string(version::kMinor) + "." + std::to_string(version::kRevision));
    view_.SetLblTitle(title);
}

void frmAbout::cmdOK_Click() { view_.Close(); }

void frmAbout::Command1_Click() {
    services_.messages->Show(DetailsText(), about::kDetailsTitle, MsgBox::Icon::Information);
}

void frmAbout::cmdSysInfo_Click() { StartSysInfo(); }

void frmAbout::lblDisclaimer_Click() { OpenLink(about::kMailTarget, false); }

void frmAbout::Label3_Click() { OpenLink(about::kWebAddress, true); }

void frmAbout::Image2_Click() { OpenLink(about::kDonationTarget, true); }

void frmAbout::StartSysInfo() {
    try {
        std::string sysInfoPath;
        bool found =
            GetKeyValue(reg::kHKeyLocalMachine, sysinfo::kKey, sysinfo::kValue, sysInfoPath);
        if (!found && GetKeyValue(reg::kHKeyLocalMachine, sysinfo::kLocationKey,
                                  sysinfo::kLocationValue, sysInfoPath)) {
            const std::string program = sysInfoPath + std::string(about::kSysInfoProgram);
            if (services_.fileExists(program)) {
                sysInfoPath = program;
                found = true;
            }
        }
        // An empty command line names no program: it cannot be started either.
        if (found && sysInfoPath.find_first_not_of(" \t") != std::string::npos) {
            services_.startShown(sysInfoPath);
            return;
        }
    } catch (...) {
    }
    services_.messages->Show(about::kSysInfoMissing);
}

bool frmAbout::GetKeyValue(reg::HKey KeyRoot, std::string_view KeyName, std::string_view SubKeyRef,
                           std::string& KeyVal) {
    reg::Registry& registry = *services_.registry;
    reg::HKey hKey = 0;
    // Reading needs no more than read rights, so that any user finds the tool.
    if (registry.OpenKey(KeyRoot, KeyName, reg::kKeyRead, hKey) != reg::kErrorSuccess) {
        KeyVal.clear();
        return false;
    }
    std::vector<uint8_t> buffer(kValueRoom, 0);
    uint32_t size = kValueRoom;
    uint32_t type = reg::kRegNone;
    if (registry.QueryValue(hKey, SubKeyRef, type, buffer.data(), size) != reg::kErrorSuccess) {
        KeyVal.clear();
        registry.CloseKey(hKey);
        return false;
    }
    buffer.resize(std::min(size, kValueRoom));
    if (!buffer.empty() && buffer.back() == 0) buffer.pop_back();

    if (type == reg::kRegSz) {
        KeyVal.assign(buffer.begin(), buffer.end());
    } else if (type == reg::kRegDword) {
        uint32_t number = 0;
        for (size_t i = std::min<size_t>(buffer.size(), 4); i > 0; --i) {
            number = (number << 8) | buffer[i - 1];
        }
        char digits[9];
        std::snprintf(digits, sizeof digits, "%X", number);
        KeyVal = "&h" + std::string(digits);
    }
    registry.CloseKey(hKey);
    return true;
}

std::string frmAbout::DetailsText() {
    const std::string lines[] = {
        std::string(about::kDetailsHeading),
        "",
        std::string(about::kDetailsAuthor),
        std::string(about::kEmailLabelPrefix) + std::string(about::kEmailAddress),
        std::string(about::kWebLabelPrefix) + std::string(about::kWebAddress),
        "",
        std::string(about::kLicenceLine),
    };
    std::string text;
    for (const std::string& line : lines) {
        if (&line != &lines[0]) text += '\r';
        text += line;
    }
    return text;
}

void frmAbout::OpenLink(std::string_view target, bool fromProgramFolder) {
    // A link that cannot be opened is silent.
    Guarded([&] {
        std::string folder;
        if (fromProgramFolder) Guarded([&] { folder = services_.program->Folder(); });
        services_.shell->Open(target, "", folder);
    });
}

}  // namespace velnix
