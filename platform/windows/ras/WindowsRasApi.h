#pragma once

#include "engine/RasApi.h"
#include "platform/windows/portable/RasHandleTable.h"

namespace velnix::windows_platform {

// The Remote Access operations over rasapi32: RasEnumEntriesW on the default phone book,
// RasEnumConnectionsW and RasGetConnectionStatistics. The system is called with its own records
// (grown until the whole list fits), whose fields are then copied into the program's, with the
// program's room rules and result codes; names arrive in UTF-8, whatever the code page.
//
// A connection's 32-bit handle is an id this object gives the system's handle; it stays valid
// while the connection is listed and is unknown (kErrorInvalidHandle) once a listing no longer
// holds it.
class WindowsRasApi : public ras::RasApi {
  public:
    uint32_t EnumEntries(ras::RasEntryName* entries, uint32_t& roomBytes, uint32_t& count) override;
    uint32_t EnumConnections(ras::RasConn* connections, uint32_t& roomBytes,
                             uint32_t& count) override;
    uint32_t GetConnectionStatistics(uint32_t hrasconn, ras::RasStats* stats) override;

    // The fields hold UTF-8 already: the text up to the NUL.
    std::string TextFromSystemCodePage(const char* field, size_t room) override;

  private:
    RasHandleTable handles_;
};

}  // namespace velnix::windows_platform
