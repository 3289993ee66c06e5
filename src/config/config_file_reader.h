#pragma once
// Reading a configuration file as the device does when it takes it over: every record is
// checked, and the file is refused as a whole, with the reason, when one of them is wrong.

#include "config/config_file.h"
#include "config/settings_block.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace velmaron {

struct ConfigFileRead {
    std::string deviceType; // "QX" or "CR", from the records' type and the settings record
    // The device's settings block once it has taken the file over: it erases the block and
    // writes the records into it, so what no record covers reads 255.
    SettingsBlockBytes block{};
    std::string problem; // why the device refuses the file, in English; empty when it is sound
    bool ok() const { return problem.empty(); }
};

// No configuration file comes anywhere near this size.
inline constexpr std::size_t MaxConfigFileSize = 4096;

// Lines end in CR LF or LF. Every line is a record: ":", then hex digits of either case for
// the length, the address, the type, the data and the checksum. The data records are all of
// type 00 (QX) or all of type 02 (CR), each at an address of its own in the settings block
// and no longer than its field there; the settings and TREP records are required, the
// settings record names the type, and the end record closes the file.
ConfigFileRead ReadConfigFile(std::string_view text);

// What a device of this type does with the configuration file it finds when it is plugged in:
// a broken file or one meant for another type is refused and the settings stay; a sound one
// becomes its settings block. The emulator and the fleet's expectations share this.
struct TakeOver {
    enum class Outcome { Refused, OtherType, Unchanged, Taken };
    Outcome outcome = Outcome::Refused;
    ConfigFileRead read;      // the reason of a refusal, the type the file is meant for
    SettingsBlockBytes block; // the device's settings block afterwards
};
TakeOver TakeOverConfigFile(std::string_view text, std::string_view deviceType,
                            const SettingsBlockBytes& held);

} // namespace velmaron
