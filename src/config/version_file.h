#pragma once
// The device's version file UPDATES\digivers.ion: its layout, and taking it apart.
//
// The device writes this small binary file itself. It names the device type and software
// version and carries the download configuration the device currently holds. Positions
// below are 1-based, as the device's documentation counts them (position = offset + 1).
// config/version_file_decoder.h takes a whole file apart.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velmaron {

// 1-based positions of the fields.
namespace VersionPos {
inline constexpr std::size_t DeviceType = 1;      // 2 letters
inline constexpr std::size_t Version = 3;         // 6 decimal digits, the first two "00"
inline constexpr std::size_t Extension = 9;       // "HEX", any case
inline constexpr std::size_t DownloadPeriod = 12; // 4 bytes little-endian, seconds
inline constexpr std::size_t TrepWalk = 17;       // TREP codes; 16 (TREP 01) is not read
inline constexpr std::size_t MidConfigByte = 25;
inline constexpr std::size_t FullConfigByte = 32;
inline constexpr std::size_t ExtraDataWalk = 33; // to the end of the file
inline constexpr std::size_t RangeFlag = 72;     // RangeFlagOn when the date range is on
inline constexpr std::size_t RangeStart = 73;    // 4 bytes big-endian, seconds since 1970
inline constexpr std::size_t RangeEnd = 77;
} // namespace VersionPos

inline constexpr std::size_t MinVersionFileLength = 21; // shorter files are broken
inline constexpr std::size_t ShortFormLength = 21;
inline constexpr std::size_t MidFormLength = 25;
inline constexpr std::size_t FullFormMinLength = 80;

// The code lists: TREP 01 and every group of extra data open with ListStart, a list or group
// ends with ListEnd, and two ListEnd bytes in a row end the extra data.
inline constexpr int ListStart = 0x01;
inline constexpr int ListEnd = 0xFF;
// The flag at RangeFlag, and in the settings block, that switches the date range on: 'U'.
inline constexpr int RangeFlagOn = 0x55;

// Software from this version on takes a configuration file.
inline constexpr int FirstSuitableVersion = 23;
// From this version on format 1 is the European file name, and from the next one on the
// French, Spanish and Brennick ones exist too.
inline constexpr int EuropeanFileNameVersion = 17;
inline constexpr int MoreFileNamesVersion = 27;
// From this version on VDO-specific and 4 Hz data can be chosen (together, as one TREP code).
inline constexpr int SpeedDataVersion = 28;
// From this version on the date range can be chosen.
inline constexpr int DateRangeVersion = 54;
// From this version on 4 Hz and VDO-specific data are separate extra data; below, one TREP
// code stands for both and the window keeps their boxes equal.
inline constexpr int SeparateSpeedDataVersion = 36;
// The forms of the version file: the short form from this version on; the mid form, with the
// configuration byte, from SpeedDataVersion on; the full form from SeparateSpeedDataVersion on
// and on every CR. Older software reports no configuration.
inline constexpr int ShortFormVersion = 9;

// The byte at a 1-based position, 0 to 255; 0 beyond the end.
int ByteAt(std::string_view versionText, std::size_t pos);

// The first two characters, upper-cased ("QX", "CR", or anything else).
std::string DeviceTypeOf(std::string_view versionText);
enum class DeviceClass { Standard, Cr, Unexpected };
DeviceClass ClassOf(std::string_view deviceType);
// Whether a device of this type and software is configured: a standard one from
// FirstSuitableVersion on. A Velmaron CR is only shown.
bool Configurable(std::string_view deviceType, int softwareVersion);

// Extension "HEX" in any case, version digits "00" followed by four more decimal digits.
bool IsValidHeader(std::string_view versionText);
// The value of positions 3-8; only meaningful for a valid header (0 otherwise).
int SoftwareVersionOf(std::string_view versionText);

// A number with a leading blank when not negative, a minus sign otherwise.
std::string SignedNumberText(long long value);
// The period in whole days of the signed seconds, truncated towards zero; nullopt for "since
// the last download" (all four bytes 255).
std::optional<int> DownloadPeriodDays(std::string_view versionText);
// The text for the download period box: "0" for "since the last download", else the days
// with the sign's place (" 92", "-3").
std::string DownloadPeriodText(std::string_view versionText);

// The configuration byte with every bit set, every option off: what the short form, which
// holds no byte, stands for.
inline constexpr int NoConfigByte = 0xFF;

// The form the device's type and software version call for, and what follows from it.
// Unexpected types are held to the standard rules with the caller's (previous) version.
enum class VersionForm { Full, Mid, Short, ConfigNotAvailable };
struct FormCheck {
    VersionForm form = VersionForm::ConfigNotAvailable;
    bool lengthFits = false; // false: the file is broken and must be rejected
    // Below only when the length fits and a configuration is available.
    std::size_t walkEnd = 0; // last position of the TREP walk
    int configByte = NoConfigByte;
    bool keepBit1 = false; // full form with bit 1 of the configuration byte clear
    bool check8Enabled = false;
    bool check9Enabled = false;
    bool check10Enabled = false;
};
FormCheck CheckVersionForm(std::string_view deviceType, int softwareVersion,
                           std::string_view versionText);

// The extra-data walk runs only on files longer than its start (the full form).
bool HasExtraData(std::string_view versionText);
// Full form with RangeFlagOn at RangeFlag.
bool HasDateRange(std::string_view versionText);
// Four bytes from a 1-based position, most significant first, as 8 upper-case hex digits
// (the text the date decoding takes); use with RangeStart and RangeEnd.
std::string MomentHexAt(std::string_view versionText, std::size_t pos);

// The check box number a code byte ticks, as config/data_sets.h lists the codes (2..6 -> 2..6,
// 17 -> 10, 18..22 -> 8, 25 -> 9); nullopt for any other byte.
std::optional<int> CheckBoxForCode(int byteValue);

// Ends a code list at the second of two ListEnd bytes in a row. The window keeps one for its
// whole life: the last byte of one walk counts for the first byte of the next.
struct CodeListEnd {
    bool PreviousWasFF = false;
    // True when this byte is ListEnd and the previous one was too.
    bool Step(int lByteValue);
};

// The bits of the configuration byte, which the device reports and the writer rebuilds; an
// option is on when its bit is 0.
namespace ConfigByteBit {
inline constexpr int Model = 0x80;    // clear: Velmaron Plus
inline constexpr int FileName = 0x70; // bits 6..4: the file-name format
inline constexpr int FileNameShift = 4;
inline constexpr int CardDate = 0x08; // clear: the download date is written onto the card
inline constexpr int Bit1 = 0x02;     // clear on the device: kept clear by the writer
} // namespace ConfigByteBit

// Fields of the configuration byte.
int VelmaronOptionIndex(int configByte);   // bit 7 set: 0 ("Velmaron"), else 1 ("Plus")
int FileNameOptionIndex(int configByte);   // bits 6..4: 0->4, 1->3, 2->2, 3->1, 4..7->0
bool CardDateTicked(int configByte);       // bit 3 clear
bool Bit1Clear(int configByte);            // bit 1 clear
std::string ConfigByteHex(int configByte); // "FF", "8F", "5"
// The byte for a file-name option of the window (0 to 4), every other bit set: FF, BF, AF,
// 9F, 8F; FileNameOptionIndex reads the option back.
int ConfigByteForFileName(int option);

// The English diagnostic lines (no version line for an unexpected type: empty).
std::string SoftwareVersionLine(DeviceClass deviceClass, int softwareVersion);
std::string VersionLengthLine(std::size_t length);
std::string ConfigByteLine(int configByte);

} // namespace velmaron
