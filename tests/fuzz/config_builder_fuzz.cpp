// The configuration builder on any settings the window could hand it: every file it builds is
// one the device reads, with record type 02 only for the CR device.

#include "config/config_file.h"
#include "support/hex_check.h"
#include "config/version_file.h"

#include <fuzzer/FuzzedDataProvider.h>

using namespace velmaron;

namespace {

// Picker dates lie within a few thousand years; the count of seconds never nears its limits.
DateTime dateFrom(FuzzedDataProvider& in) {
    return DateTime(
        std::chrono::seconds(in.ConsumeIntegralInRange<std::int64_t>(-(1LL << 40), 1LL << 40)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    ConfigSettings s;
    for (int* box : {&s.Check2, &s.Check3, &s.Check4, &s.Check5, &s.Check6, &s.Check7, &s.Check8,
                     &s.Check9, &s.Check10, &s.Check11})
        *box = in.ConsumeIntegralInRange(0, 3);
    if (in.ConsumeBool())
        s.Option1 = in.ConsumeIntegralInRange(-1, 5);
    s.optVelmaron1 = in.ConsumeBool();
    s.KeepBit1 = in.ConsumeBool();
    s.ConfigByte = in.ConsumeIntegral<int>();
    s.SoftwareVersion = in.ConsumeIntegral<int>();
    s.dtPickerStart = dateFrom(in);
    s.dtPickerEnd = dateFrom(in);
    static const char* const types[] = {"QX", "CR", "qx", "cR", "AB", ""};
    s.VersionText =
        types[in.ConsumeIntegralInRange<std::size_t>(0, 5)] + in.ConsumeRandomLengthString(100);
    s.tbDays = in.ConsumeRandomLengthString(40);

    const ConfigBuildResult built = BuildConfigFile(s);
    if (built.ConfigByte < 0 || built.ConfigByte > 255)
        __builtin_trap();
    if (!built.file)
        return 0;
    const bool cr = DeviceTypeOf(s.VersionText) == "CR";
    if (built.file->fileName != (cr ? "CR999000.HEX" : "QX999000.HEX") ||
        !testing::IsValidConfigHex(ConfigFileBytes(*built.file), cr))
        __builtin_trap();
    return 0;
}
