#include "platform/windows/system/SystemMessage.h"

#include <windows.h>

#include "platform/windows/system/WideText.h"

namespace velnix::windows_platform {

namespace {

std::string OwnText(uint32_t code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
            return "Le fichier spécifié est introuvable.";
        case ERROR_PATH_NOT_FOUND:
            return "Le chemin d'accès spécifié est introuvable.";
        case ERROR_ACCESS_DENIED:
            return "Accès refusé.";
        case ERROR_BAD_EXE_FORMAT:
            return "Ce n'est pas un programme Windows valide.";
        default:
            return "erreur système " + std::to_string(code);
    }
}

}  // namespace

std::string FrenchSystemMessage(uint32_t code, std::string_view subject) {
    wchar_t buffer[1024];
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_MAX_WIDTH_MASK,
        nullptr, code, MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH), buffer, std::size(buffer), nullptr);
    std::string text = Utf8FromWideReplacing(std::wstring_view(buffer, length));
    text.erase(text.find_last_not_of(" \r\n") + 1);
    if (text.empty()) return OwnText(code);
    if (const size_t insert = text.find("%1"); insert != std::string::npos && !subject.empty()) {
        text.replace(insert, 2, subject);
    }
    return text;
}

}  // namespace velnix::windows_platform
