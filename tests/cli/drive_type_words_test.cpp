// The drive types in the tool's table: German words by default, the scan's texts in English.

#include "cli/drive_type_words.h"
#include "device/drive_services.h"

#include <gtest/gtest.h>

namespace velmaron::cli {
namespace {

TEST(DriveTypeWordsTest, GermanWordsAndTheScansEnglishTexts) {
    const struct {
        int code;
        const char* german;
    } cases[] = {
        {kDriveUnknown, "Unbekannt"},       {kDriveNoRootDir, "Kein Stammverzeichnis"},
        {kDriveRemovable, "Wechseldatenträger"}, {kDriveFixed, "Festplatte"},
        {kDriveRemote, "Netzlaufwerk"},     {kDriveCdrom, "CD/DVD-Laufwerk"},
        {kDriveRamDisk, "RAM-Disk"},        {-1, ""},
        {7, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DriveTypeWords(c.code, Language::German), c.german) << c.code;
        EXPECT_EQ(DriveTypeWords(c.code, Language::English), DriveTypeText(c.code)) << c.code;
    }
}

} // namespace
} // namespace velmaron::cli
