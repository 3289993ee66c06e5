#pragma once
// The core's texts are UTF-8; the window shows QStrings.

#include <QString>
#include <string_view>

namespace velmaron {

inline QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace velmaron
