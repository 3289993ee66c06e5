#pragma once
// The device's version file taken apart as a whole: what the device is, which form its file
// has, and the settings it reports. The window shows the result control by control in its
// fixed order; the command-line tool and the emulator take the settings as they are.

#include "config/device_settings.h"
#include "config/version_file.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velmaron {

// Why a version file gives no settings, in the order the decoder finds it.
enum class VersionFileRefusal {
    None,            // the settings were read
    TooShort,        // fewer than MinVersionFileLength bytes
    BadHeader,       // no type, six digits from 00 and HEX at the start
    UnknownType,     // a type other than QX and CR
    NoConfiguration, // software older than ShortFormVersion
    LengthMismatch,  // a length that does not fit the type and version
};

struct VersionFileContent {
    VersionFileRefusal refusal = VersionFileRefusal::None;
    std::string problem; // why there are no settings, in English
    std::size_t length = 0;
    DeviceClass deviceClass = DeviceClass::Unexpected;
    int headerVersion = 0; // the software version the header names, 0 until it is read
    // In the settings: the device type (the first two characters, upper-cased) and the software
    // version, which an unexpected type takes from the previous read; as far as the form is
    // sound, everything the file reports.
    DeviceSettings settings;
    // The period as the file holds it: nullopt for "since the last download".
    std::optional<int> periodDays;
    FormCheck form;

    bool headerRead() const {
        return refusal != VersionFileRefusal::TooShort && refusal != VersionFileRefusal::BadHeader;
    }
    // The file cannot be taken apart as its type and version call for: the device is to write
    // a new one. An unexpected type is judged by the standard rules.
    bool broken() const {
        return !headerRead() ||
               (form.form != VersionForm::ConfigNotAvailable && !form.lengthFits);
    }
    // The settings, when the file reports them and names a known type.
    std::optional<DeviceSettings> reported() const {
        if (refusal != VersionFileRefusal::None)
            return std::nullopt;
        return settings;
    }
};

// Reads a whole version file as the window does: a code list ends at two ListEnd bytes in a
// row, and listEnd carries the last byte of one walk into the next; the extra-data list may run
// on into the date fields; below version 36 VDO-specific and 4 Hz data go together. An
// unexpected type is read by the standard rules with previousVersion.
VersionFileContent DecodeVersionFile(std::string_view text, int previousVersion,
                                     CodeListEnd& listEnd);
// The same with nothing carried over from an earlier read.
VersionFileContent DecodeVersionFile(std::string_view text);

} // namespace velmaron
