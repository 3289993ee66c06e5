#pragma once
// The languages the tool speaks to its users. The window speaks German only; the command-line
// tool follows the system's language, German by default.

#include <string_view>

namespace velmaron {

enum class Language { German, English };

// The text of the given language.
constexpr std::string_view InLanguage(Language language, std::string_view german,
                                      std::string_view english) {
    return language == Language::English ? english : german;
}

} // namespace velmaron
