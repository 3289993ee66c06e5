#include "config/version_file_decoder.h"

#include "config/date_codec.h"

namespace velmaron {
namespace {

using Refusal = VersionFileRefusal;

std::string expectedLength(VersionForm form) {
    switch (form) {
    case VersionForm::Full:
        return "at least " + std::to_string(FullFormMinLength);
    case VersionForm::Mid:
        return std::to_string(MidFormLength);
    case VersionForm::Short:
    case VersionForm::ConfigNotAvailable:
        break;
    }
    return std::to_string(ShortFormLength);
}

// Ticks the data sets of the codes from `first` to `last` (1-based), until the list ends.
void walkCodes(std::string_view text, std::size_t first, std::size_t last, CodeListEnd& listEnd,
               DataSets& data) {
    for (std::size_t pos = first; pos <= last; ++pos) {
        const int code = ByteAt(text, pos);
        if (const DataSet* set = DataSetForCode(code))
            data.*set->member = true;
        if (listEnd.Step(code))
            return;
    }
}

std::chrono::sys_days dayAt(std::string_view text, std::size_t pos) {
    return std::chrono::floor<std::chrono::days>(HexToDate(MomentHexAt(text, pos)));
}

// The first problem found is the one told.
void note(VersionFileContent& content, Refusal refusal, std::string text) {
    if (content.refusal != Refusal::None)
        return;
    content.refusal = refusal;
    content.problem = std::move(text);
}

} // namespace

VersionFileContent DecodeVersionFile(std::string_view text, int previousVersion,
                                     CodeListEnd& listEnd) {
    VersionFileContent c;
    c.length = text.size();
    DeviceSettings& s = c.settings;
    s.deviceType = DeviceTypeOf(text);
    s.softwareVersion = 0;
    if (text.size() < MinVersionFileLength) {
        note(c, Refusal::TooShort,
             "the status file holds " + std::to_string(text.size()) + " bytes, fewer than " +
                 std::to_string(MinVersionFileLength));
        return c;
    }
    c.deviceClass = ClassOf(s.deviceType);
    if (!IsValidHeader(text)) {
        note(c, Refusal::BadHeader,
             "the status file does not begin with a type, six digits from 00 and HEX");
        return c;
    }
    c.headerVersion = SoftwareVersionOf(text);
    s.softwareVersion = c.headerVersion;
    if (c.deviceClass == DeviceClass::Unexpected) {
        note(c, Refusal::UnknownType,
             "the status file names the unknown device type " + s.deviceType);
        s.softwareVersion = previousVersion;
    }
    c.periodDays = DownloadPeriodDays(text);
    s.periodDays = c.periodDays.value_or(0);
    c.form = CheckVersionForm(s.deviceType, s.softwareVersion, text);
    if (c.form.form == VersionForm::ConfigNotAvailable) {
        note(c, Refusal::NoConfiguration,
             "software version " + std::to_string(s.softwareVersion) + " reports no configuration");
        return c;
    }
    if (!c.form.lengthFits) {
        note(c, Refusal::LengthMismatch,
             "the status file holds " + std::to_string(text.size()) + " bytes; " + s.deviceType +
                 " " + std::to_string(s.softwareVersion) + " writes " +
                 expectedLength(c.form.form));
        return c;
    }
    TakeConfigByte(s, c.form.configByte);
    s.keepBit1 = c.form.keepBit1; // only the full form keeps bit 1
    walkCodes(text, VersionPos::TrepWalk, c.form.walkEnd, listEnd, s.data);
    if (HasExtraData(text))
        walkCodes(text, VersionPos::ExtraDataWalk, text.size(), listEnd, s.data);
    // One box ticks the other.
    if (s.softwareVersion < SeparateSpeedDataVersion)
        s.data.vdoSpecific = s.data.fourHz = s.data.vdoSpecific || s.data.fourHz;
    if (c.form.form == VersionForm::Full) {
        s.dateRangeOn = HasDateRange(text);
        // A range that is off is not used. A moment on the day the count reaches only in part,
        // where erased flash (FFFFFFFF) lies, is then no date: the settings keep the day a
        // configuration file writes for none, and a profile can hold them.
        const std::chrono::sys_days partialDay = std::chrono::floor<std::chrono::days>(WrapDate);
        for (auto [pos, day] : {std::pair{VersionPos::RangeStart, &s.rangeStart},
                                std::pair{VersionPos::RangeEnd, &s.rangeEnd}})
            if (const auto read = dayAt(text, pos); s.dateRangeOn || read < partialDay)
                *day = read;
    }
    return c;
}

VersionFileContent DecodeVersionFile(std::string_view text) {
    CodeListEnd listEnd;
    return DecodeVersionFile(text, 0, listEnd);
}

} // namespace velmaron
