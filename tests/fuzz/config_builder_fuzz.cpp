// Every file built from any settings the window could hand over is one the device reads.

#include "config/config_file.h"
#include "config/download_period.h"
#include "config/version_file.h"
#include "support/hex_check.h"

#include <fuzzer/FuzzedDataProvider.h>

using namespace velmaron;

namespace {

// Picker dates lie within a few thousand years.
std::chrono::sys_days dayFrom(FuzzedDataProvider& in) {
    return std::chrono::sys_days(
        std::chrono::days(in.ConsumeIntegralInRange<std::int32_t>(-(1 << 20), 1 << 20)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    DeviceSettings s;
    for (const DataSet& set : DataSetTable)
        s.data.*set.member = in.ConsumeBool();
    s.cardDate = in.ConsumeBool();
    s.dateRangeOn = in.ConsumeBool();
    if (in.ConsumeBool())
        s.fileNameFormat = in.ConsumeIntegralInRange(-1, 5);
    else
        s.fileNameFormat.reset();
    s.velmaronPlus = in.ConsumeBool();
    s.keepBit1 = in.ConsumeBool();
    s.configByte = in.ConsumeIntegral<int>();
    s.softwareVersion = in.ConsumeIntegral<int>();
    s.rangeStart = dayFrom(in);
    s.rangeEnd = dayFrom(in);
    static const char* const types[] = {"QX", "CR", "qx", "cR", "AB", ""};
    s.deviceType = DeviceTypeOf(types[in.ConsumeIntegralInRange<std::size_t>(0, 5)] +
                                in.ConsumeRandomLengthString(100));
    s.periodDays = DaysOfText(in.ConsumeRandomLengthString(40));

    const ConfigBuildResult built = BuildConfigFile(s);
    if (built.ConfigByte < 0 || built.ConfigByte > 255)
        __builtin_trap();
    if (!built.file)
        return 0;
    const bool cr = s.deviceType == "CR";
    if (built.file->fileName != (cr ? "CR999000.HEX" : "QX999000.HEX") ||
        !testing::IsValidConfigHex(ConfigFileBytes(*built.file), cr))
        __builtin_trap();
    return 0;
}
