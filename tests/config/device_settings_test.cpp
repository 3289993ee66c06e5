// Broken files are refused with the reason: the device's version file and a configuration
// file.

#include "config/config_file_reader.h"
#include "config/hex_record.h"
#include "config/version_file_decoder.h"

#include <cctype>
#include <gtest/gtest.h>
#include <tuple>

namespace velmaron {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(DeviceSettings, VersionFilesWithoutSettingsAreRefused) {
    using enum VersionFileRefusal;
    const std::tuple<std::string, VersionFileRefusal, std::string> cases[] = {
        {std::string("QX000054HEX") + std::string(9, '\xFF'), TooShort, "20 bytes, fewer than 21"},
        {"QX010054HEX" + std::string(69, '\xFF'), BadHeader, "six digits from 00"},
        {"AB000054HEX" + std::string(69, '\xFF'), UnknownType, "unknown device type AB"},
        {"QX000005HEX" + std::string(10, '\xFF'), NoConfiguration,
         "version 5 reports no configuration"},
        {"QX000030HEX" + std::string(13, '\xFF'), LengthMismatch, "24 bytes; QX 30 writes 25"},
        {"CR000012HEX" + std::string(68, '\xFF'), LengthMismatch,
         "79 bytes; CR 12 writes at least 80"},
    };
    for (const auto& [file, refusal, reason] : cases) {
        const VersionFileContent decoded = DecodeVersionFile(file);
        EXPECT_FALSE(decoded.reported()) << reason;
        EXPECT_EQ(decoded.refusal, refusal) << reason;
        EXPECT_NE(decoded.problem.find(reason), std::string::npos) << decoded.problem;
    }
}

TEST(ConfigFileReader, RefusesBrokenFilesWithTheReason) {
    const Bytes settings = {0x3F, 'Q', 'X', '0', '0',  '0',  '0',  '0',
                            '7',  'H', 'E', 'X', 0xFF, 0xFF, 0xFF, 0xFF};
    const std::string good[] = {BuildRecord("3A0000", settings),
                                BuildRecord("3A1000", Bytes{0x01, 0xFF}), std::string(EndRecord)};
    const std::string cr = BuildRecord("3A1002", Bytes(16, 0xFF));
    auto with = [&](std::size_t line, const std::string& text) {
        std::string file;
        for (std::size_t i = 0; i < std::size(good); ++i)
            file += (i == line ? text : good[i]) + "\r\n";
        return file;
    };
    std::string badSum = good[1];
    badSum.back() = '5';
    Bytes crName = settings;
    crName[1] = 'C';
    crName[2] = 'R';
    const std::pair<std::string, std::string> cases[] = {
        {with(1, badSum), "line 2 has the checksum B5 instead of B4"},
        {with(1, good[1].substr(1)), "line 2 does not begin with ':'"},
        {with(1, ":023A100001FG"), "line 2 holds a character that is not a hex digit"},
        {with(1, ":023A100001FFB"), "odd number of digits"},
        {with(1, ":033A100001FFB3"), "announces 3 data bytes but holds 2"},
        {with(1, BuildRecord("3A3000", Bytes{0x01})), "address 3A30, where no setting lies"},
        {with(1, BuildRecord("3A1000", Bytes(17, 0x01))),
         "17 data bytes; the field at 3A10 takes 1 to 16"},
        {with(1, good[0]), "line 2 is a second record for the address 3A00"},
        {with(1, cr), "line 2 has the record type 02 after records of type 00"},
        {with(1, BuildRecord("3A1004", Bytes{0x01})), "record type 04, which is not used"},
        {with(2, ""), "line 3 does not begin"},
        {with(0, BuildRecord("3A0000", crName)), "names CR000007HEX instead of QX000007HEX"},
        {with(1, std::string(EndRecord)) + good[1], "line 3 follows the end record"},
        {with(1, ":00000101FE"), "end record with an address or data"},
        {good[0] + "\n" + good[2], "the record for address 3A10 is missing"},
        {good[0] + "\n" + good[1], "the end record :00000001FF is missing"},
        {"", "the end record"},
        {std::string(MaxConfigFileSize + 1, ':'), "far more than a configuration"},
    };
    for (const auto& [file, reason] : cases) {
        const ConfigFileRead read = ReadConfigFile(file);
        EXPECT_NE(read.problem.find(reason), std::string::npos)
            << "wanted: " << reason << "\ngot: " << read.problem;
    }
    // Line ends of either kind and hex digits of either case are sound.
    std::string lower = good[0] + "\n" + good[1] + "\n" + good[2];
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_TRUE(ReadConfigFile(lower).ok()) << ReadConfigFile(lower).problem;
}

} // namespace
} // namespace velmaron
