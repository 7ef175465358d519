#pragma once

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "common/Errors.h"
#include "config/SystemFacts.h"
#include "ui/MsgBox.h"

namespace velnix::testing {

// Short forms from a table, with the room rules of the system call; records the rooms offered.
class FakeShortPath : public ShortPathApi {
  public:
    uint32_t ShortPathOf(std::string_view longPath, char* buffer, uint32_t bufferLength) override {
        rooms.push_back(bufferLength);
        const auto found = shortForms.find(std::string(longPath));
        if (found == shortForms.end()) return 0;
        const std::string& shortForm = found->second;
        if (shortForm.size() + 1 > bufferLength) return static_cast<uint32_t>(shortForm.size() + 1);
        std::memcpy(buffer, shortForm.c_str(), shortForm.size() + 1);
        return static_cast<uint32_t>(shortForm.size());
    }

    std::map<std::string, std::string> shortForms;
    std::vector<uint32_t> rooms;
};

class FakeVersion : public VersionApi {
  public:
    bool ReadVersion(OsVersionInfo& info) override {
        sizeSeen = info.dwOSVersionInfoSize;
        if (fail) return false;
        info.dwPlatformId = platformId;
        return true;
    }

    uint32_t platformId = kVerPlatformWin32Nt;
    bool fail = false;
    uint32_t sizeSeen = 0;
};

// A program at a chosen place; Windows-like unless told otherwise.
class FakeRunningProgram : public RunningProgram {
  public:
    std::string Folder() override {
        if (failFolder) throw VelnixError("dossier inconnu");
        return folder;
    }
    std::string Name() override { return name; }
    std::string Extension() override { return extension; }
    char Separator() override { return separator; }

    std::string folder = "C:\\Tools";
    std::string name = "dialer";
    std::string extension = ".exe";
    char separator = '\\';
    bool failFolder = false;
};

}  // namespace velnix::testing
