// The device's status file, taken apart field by field as the window does.

#include "config/date_codec.h"
#include "config/version_file.h"

#include <cstdint>

using namespace velmaron;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string type = DeviceTypeOf(text);
    const int version = SoftwareVersionOf(text);
    if (version < 0 || version > 9999 || (!IsValidHeader(text) && version != 0))
        __builtin_trap();
    DownloadPeriodText(text);
    SoftwareVersionCaption(type, version);
    const FormCheck form = CheckVersionForm(type, version, text);
    if (form.configByte < 0 || form.configByte > 255 || form.walkEnd > size)
        __builtin_trap();
    CodeListEnd end;
    for (std::size_t pos = VersionPos::TrepWalk; pos <= form.walkEnd; ++pos) {
        CheckBoxForCode(ByteAt(text, pos));
        if (end.Step(ByteAt(text, pos)))
            break;
    }
    if (HasExtraData(text))
        for (std::size_t pos = VersionPos::ExtraDataWalk;
             pos <= size && !end.Step(ByteAt(text, pos));)
            CheckBoxForCode(ByteAt(text, pos++));
    if (HasDateRange(text)) {
        for (const std::size_t pos : {VersionPos::RangeStart, VersionPos::RangeEnd}) {
            const DateTime moment = HexToDate(MomentHexAt(text, pos));
            if (moment < EpochDate || moment >= WrapDate)
                __builtin_trap();
        }
    }
    ConfigByteLine(form.configByte);
    FileNameOptionIndex(form.configByte);
    return 0;
}
