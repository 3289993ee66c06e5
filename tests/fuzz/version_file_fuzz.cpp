// Any version file after any earlier read: the header's version, a byte for the configuration
// byte, code walks within the file and the range's days within the device's count.

#include "config/date_codec.h"
#include "config/settings_words.h"
#include "config/version_file_decoder.h"

#include <cstdint>

using namespace velmaron;

namespace {

void check(std::string_view text, int previousVersion, bool previousWasFF) {
    CodeListEnd listEnd{previousWasFF};
    const VersionFileContent content = DecodeVersionFile(text, previousVersion, listEnd);
    const int version = SoftwareVersionOf(text);
    if (version < 0 || version > 9999 || (!IsValidHeader(text) && version != 0))
        __builtin_trap();
    if (content.length != text.size() || content.headerVersion != (content.headerRead() ? version : 0))
        __builtin_trap();
    const FormCheck& form = content.form;
    if (form.configByte < 0 || form.configByte > 255 || form.walkEnd > text.size())
        __builtin_trap();
    if (content.reported() && content.broken())
        __builtin_trap();
    const DeviceSettings& s = content.settings;
    if (s.dateRangeOn) {
        const auto first = std::chrono::floor<std::chrono::days>(EpochDate);
        const auto last = std::chrono::floor<std::chrono::days>(WrapDate);
        if (s.rangeStart < first || s.rangeEnd < first || s.rangeStart > last || s.rangeEnd > last)
            __builtin_trap();
    }
    SoftwareVersionCaption(s.deviceType, s.softwareVersion);
    ConfigByteLine(form.configByte);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // A first read, and one after a read of a device with software 54 whose list ended in 255.
    check(text, 0, false);
    check(text, 54, true);
    return 0;
}
