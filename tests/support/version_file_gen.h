#pragma once
// Generated version files of every type, form and length around its bounds, unset bytes 255 or
// 0, and settings as the window makes them. Each field is drawn on its own, so that a failing
// case shrinks field by field towards a QX 54 file of 80 bytes with nothing ticked.

#include "config/device_settings.h"
#include "config/download_period.h"
#include "config/settings_words.h"
#include "config/version_file.h"
#include "support/version_files.h"

#include <cstdint>
#include <ostream>
#include <rapidcheck.h>
#include <string>
#include <vector>

namespace velmaron::testing {

// Shrinking towards the first, which RapidCheck's element and oneOf do not.
inline rc::Gen<std::size_t> choice(std::size_t count) {
    return rc::gen::resize(100, rc::gen::inRange<std::size_t>(0, count));
}
template <class T> rc::Gen<T> firstOf(std::vector<T> values) {
    return rc::gen::map(choice(values.size()), [values](std::size_t i) { return values[i]; });
}
template <class T> rc::Gen<T> firstOfGens(std::vector<rc::Gen<T>> gens) {
    return rc::gen::mapcat(choice(gens.size()), [gens](std::size_t i) { return gens[i]; });
}

// The software versions at and around every threshold of the forms and the offers.
inline rc::Gen<int> genSoftwareVersion() {
    return firstOf<int>({54, 53, 36, 35, 28, 27, 26, 23, 22, 17, 16, 9, 8, 0, 9999});
}

// Seconds since 1970 as the device counts them, with the signed limit and the partial last day.
inline rc::Gen<std::uint32_t> genMoment() {
    using namespace rc;
    return firstOfGens<std::uint32_t>(
        {firstOf<std::uint32_t>({0xFFFFFFFF, 0, 0xFFFFA4FF, 0xFFFFA500, 0x7FFFFFFF, 0x80000000}),
         gen::map(gen::inRange(0u, 49711u), [](unsigned d) { return d * 86400u; }),
         gen::arbitrary<std::uint32_t>()});
}

struct VersionFileCase {
    std::string type = "QX"; // as the file spells it
    int version = 54;
    int lengthOff = 0;   // bytes more or fewer than the form calls for
    unsigned tail = 0;   // the full form: bytes beyond 80
    char unset = '\xFF'; // what the bytes nothing wrote hold
    std::uint32_t period = 0xFFFFFFFF;
    unsigned trep = 0;     // bit i ticks TREP code 2 + i; bit 5 the combined speed code 11
    std::size_t extra = 0; // one of ExtraLists
    int configByte = 0xFF;
    bool rangeOn = false;
    std::uint32_t rangeStart = 0xFFFFFFFF;
    std::uint32_t rangeEnd = 0xFFFFFFFF;

    // The extra-data lists the writer makes, and two the window once made for 4 Hz alone.
    static inline const std::vector<std::vector<int>> ExtraLists = {
        {},
        {1, 0x19, 0xFF, 0xFF},
        {1, 0x12, 0x13, 0x14, 0x15, 0x16, 0xFF, 0xFF},
        {1, 0x12, 0x13, 0x14, 0x15, 0x16, 0xFF, 1, 0x19, 0xFF, 0xFF},
        {1, 0x11, 0xFF, 0xFF},
        {1, 0x11, 0xFF, 1, 0x19, 0xFF, 0xFF},
        {1, 0x11, 0xFF, 1, 0x12, 0x13, 0x14, 0x15, 0x16, 0xFF, 0xFF},
        {1, 0x11, 0xFF, 1, 0x12, 0x13, 0x14, 0x15, 0x16, 0xFF, 1, 0x19, 0xFF, 0xFF},
        {1, 0x11, 0xFF},
        {1, 0x11, 1, 0x19, 0xFF, 0xFF},
    };

    bool cr() const { return (type[0] | 0x20) == 'c' && (type[1] | 0x20) == 'r'; }
    std::size_t formLength() const {
        return cr() ? 80 + tail : testing::formLength(version) + (version > 35 ? tail : 0);
    }
    std::size_t length() const {
        const long length = static_cast<long>(formLength()) + lengthOff;
        return static_cast<std::size_t>(length < 0 ? 0 : length);
    }

    std::string bytes() const {
        const auto word = [](std::uint32_t value, bool bigEndian) {
            std::vector<int> out;
            for (int i = 0; i < 4; ++i)
                out.push_back(static_cast<int>(value >> (8 * (bigEndian ? 3 - i : i)) & 0xFF));
            return out;
        };
        std::vector<int> list = {1};
        for (int bit = 0; bit < 6; ++bit)
            if (trep >> bit & 1)
                list.push_back(bit < 5 ? 2 + bit : 0x11);
        list.push_back(0xFF);
        std::vector<Bytes> placed = {{12, word(period, false)}, {16, list}};
        if (formLength() >= 80)
            placed.insert(placed.end(), {{32, {configByte}},
                                         {33, ExtraLists.at(extra)},
                                         {72, {rangeOn ? 0x55 : static_cast<unsigned char>(unset)}},
                                         {73, word(rangeStart, true)},
                                         {77, word(rangeEnd, true)}});
        else if (formLength() == 25)
            placed.push_back({25, {configByte}});
        std::string text =
            versionFile(header(type.c_str(), version), formLength() + 8, placed, unset);
        text.resize(length(), unset);
        return text;
    }
};

inline void showValue(const VersionFileCase& c, std::ostream& out) {
    out << c.type << " " << c.version << ", " << c.length() << " bytes:" << std::hex;
    for (unsigned char byte : c.bytes())
        out << ' ' << static_cast<int>(byte);
    out << std::dec;
}

inline rc::Gen<VersionFileCase> genVersionFile() {
    using namespace rc;
    using C = VersionFileCase;
    return gen::build<C>(
        gen::set(&C::type, firstOf<std::string>({"QX", "CR", "qx", "cr", "AB"})),
        gen::set(&C::version, genSoftwareVersion()),
        gen::set(&C::lengthOff, firstOf<int>({0, 0, 0, 0, 0, 0, 1, -1, 2, -2, -5})),
        gen::set(&C::tail, gen::inRange(0u, 41u)),
        gen::set(&C::unset, firstOf<char>({'\xFF', '\0'})),
        gen::set(&C::period,
                 firstOfGens<std::uint32_t>(
                     {firstOf<std::uint32_t>({0xFFFFFFFF, 0}),
                      gen::map(gen::inRange(-MaxPeriodDays, MaxPeriodDays + 1),
                               [](int d) { return static_cast<std::uint32_t>(d * 86400); }),
                      gen::arbitrary<std::uint32_t>()})),
        gen::set(&C::trep, gen::inRange(0u, 64u)),
        gen::set(&C::extra, gen::inRange<std::size_t>(0, C::ExtraLists.size())),
        gen::set(&C::configByte, gen::inRange(0, 256)),
        gen::set(&C::rangeOn, gen::arbitrary<bool>()), gen::set(&C::rangeStart, genMoment()),
        gen::set(&C::rangeEnd, genMoment()));
}

// The days a profile gives the writer, 1970-01-01 to 2106-02-06.
inline rc::Gen<std::chrono::sys_days> genDay() {
    return rc::gen::map(
        firstOfGens<int>({rc::gen::inRange(0, 49710), firstOf<int>({49709, 24855})}),
        [](int d) { return std::chrono::sys_days(std::chrono::days(d)); });
}

// Settings as the window makes them: below 36 the 4 Hz and VDO boxes are one, and a range
// that is on does not end before it starts.
inline rc::Gen<DeviceSettings> genSettings() {
    using namespace rc;
    using S = DeviceSettings;
    const auto settings = gen::build<S>(
        gen::set(&S::deviceType, firstOf<std::string>({"QX", "CR"})),
        gen::set(&S::softwareVersion,
                 gen::suchThat(genSoftwareVersion(), [](int v) { return v > 8; })),
        gen::set(&S::periodDays,
                 firstOfGens<int>({gen::map(gen::arbitrary<int>(),
                                            [](int d) { return d % (MaxPeriodDays + 1); }),
                                   firstOf<int>({MaxPeriodDays, -MaxPeriodDays})})),
        gen::set(&S::data, gen::map(gen::inRange(0, 256),
                                    [](int mask) {
                                        DataSets data;
                                        for (std::size_t i = 0; i < DataSetTable.size(); ++i)
                                            data.*DataSetTable[i].member = mask >> i & 1;
                                        return data;
                                    })),
        gen::set(&S::fileNameFormat,
                 gen::map(gen::inRange(0, 6),
                          [](int f) { return f < 5 ? std::optional(f) : std::nullopt; })),
        gen::set(&S::velmaronPlus, gen::arbitrary<bool>()),
        gen::set(&S::cardDate, gen::arbitrary<bool>()),
        gen::set(&S::keepBit1, gen::arbitrary<bool>()),
        gen::set(&S::configByte, gen::inRange(0, 256)),
        gen::set(&S::dateRangeOn, gen::arbitrary<bool>()), gen::set(&S::rangeStart, genDay()),
        gen::set(&S::rangeEnd, genDay()));
    return gen::map(settings, [](S s) {
        if (s.softwareVersion < SeparateSpeedDataVersion)
            s.data.fourHz = s.data.vdoSpecific;
        if (s.dateRangeOn && s.rangeEnd < s.rangeStart)
            std::swap(s.rangeStart, s.rangeEnd);
        return s;
    });
}

} // namespace velmaron::testing

namespace velmaron {

inline void showValue(const DeviceSettings& s, std::ostream& out) {
    out << s.deviceType << " " << s.softwareVersion << ", period " << s.periodDays << ", data";
    for (const DataSet& set : DataSetTable)
        out << (s.data.*set.member ? " " + std::string(set.english) : "");
    out << ", format " << (s.fileNameFormat ? std::to_string(*s.fileNameFormat) : "none")
        << ", plus " << s.velmaronPlus << ", card date " << s.cardDate << ", bit 1 kept "
        << s.keepBit1 << ", byte " << ConfigByteHex(s.configByte) << ", range "
        << (s.dateRangeOn ? "on " : "off ") << DayText(s.rangeStart) << " to "
        << DayText(s.rangeEnd);
}

} // namespace velmaron
