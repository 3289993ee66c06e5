#pragma once
// What the workflow tells the user, in the window's German and in English. The German texts
// are the window's own and stay exactly as they are, typos included.

#include "config/language.h"
#include "workflow/workflow_view.h"

#include <string_view>
#include <vector>

namespace velmaron {

std::string_view TextOf(Message message, Language language = Language::German);
std::string_view TextOf(Instruction instruction, Language language = Language::German);

// What is wrong with a device's version file, and what the user does about it.
std::string_view TextOf(VersionFileProblem problem, Language language = Language::German);
std::string_view ReconnectText(Language language = Language::German);

// Why a configuration was not saved, line by line: as a rule "not saved" and the reason.
std::vector<std::string_view> FailureLines(const ConfigureFailure& failure,
                                           Language language = Language::German);

} // namespace velmaron
