#include "testsupport/FakeProcessLauncher.h"

#include "common/Errors.h"

namespace velnix::testing {

void FakeProcessLauncher::StartHidden(const std::string& commandLine) {
    if (fail) throw ProcessStartError("Fichier introuvable : rasdial.exe");
    started.push_back(commandLine);
}

void FakeProcessLauncher::StartShown(const std::string& commandLine) {
    if (fail) throw ProcessStartError("Fichier introuvable : " + commandLine);
    shown.push_back(commandLine);
}

}  // namespace velnix::testing
