#pragma once

#include <QString>
#include <string_view>

namespace velnix::qt_platform {

// The program's texts are UTF-8.
inline QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace velnix::qt_platform
