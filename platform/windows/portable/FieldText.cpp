#include "platform/windows/portable/FieldText.h"

#include <cstring>

namespace velnix::windows_platform {

namespace {

bool IsContinuationByte(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

}  // namespace

void CopyToField(char* field, size_t room, std::string_view text) {
    if (room == 0) return;
    size_t length = text.size();
    if (length > room - 1) {
        length = room - 1;
        // The first byte left out continues a character: leave that whole character out.
        while (length > 0 && IsContinuationByte(text[length])) --length;
    }
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

}  // namespace velnix::windows_platform
