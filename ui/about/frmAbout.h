#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "config/Registry.h"
#include "config/SystemFacts.h"
#include "ui/MsgBox.h"
#include "ui/about/AboutView.h"
#include "ui/about/ShellOpener.h"

namespace velnix {

// What the About dialog works with.
struct AboutServices {
    reg::Registry* registry = nullptr;
    // Starts a command line with a normal, focused window, without waiting; throws when it
    // cannot be started.
    std::function<void(const std::string&)> startShown;
    // Whether a file of that full name exists.
    std::function<bool(const std::string&)> fileExists;
    ShellOpener* shell = nullptr;
    MsgBox* messages = nullptr;
    RunningProgram* program = nullptr;
};

// The About dialog's logic: names the program and its version, starts the system information
// tool, shows the details box and opens the project's links.
class frmAbout {
  public:
    frmAbout(AboutView& view, const AboutServices& services);

    // Each time the dialog is loaded: caption, title and version.
    void Form_Load();

    void cmdOK_Click();
    void Command1_Click();
    void cmdSysInfo_Click();
    void lblDisclaimer_Click();
    void Label3_Click();
    void Image2_Click();

    // Starts the system information tool, or says it cannot be found.
    void StartSysInfo();

    // Reads the value `SubKeyRef` of the key `KeyName` below `KeyRoot` into `KeyVal`: a text as
    // it is, a number as "&h" and its hexadecimal digits; a value of another type leaves
    // `KeyVal` as it was. False (and `KeyVal` empty) when the key or value cannot be read.
    bool GetKeyValue(reg::HKey KeyRoot, std::string_view KeyName, std::string_view SubKeyRef,
                     std::string& KeyVal);

    // The text of the details box, its lines separated by a carriage return.
    static std::string DetailsText();

  private:
    void OpenLink(std::string_view target, bool fromProgramFolder);

    AboutView& view_;
    AboutServices services_;
};

}  // namespace velnix
