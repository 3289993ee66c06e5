// The drive types in the tool's table: German words by default, the scan's texts in English.

#include "cli/drive_type_words.h"

#include <gtest/gtest.h>

namespace velmaron::cli {
namespace {

TEST(DriveTypeWordsTest, GermanWordsAndTheScansEnglishTexts) {
    const std::pair<DriveKind, const char*> cases[] = {
        {DriveKind::Unknown, "Unbekannt"},      {DriveKind::NoRootDir, "Kein Stammverzeichnis"},
        {DriveKind::Removable, "Wechseldatenträger"}, {DriveKind::Fixed, "Festplatte"},
        {DriveKind::Remote, "Netzlaufwerk"},    {DriveKind::Cdrom, "CD/DVD-Laufwerk"},
        {DriveKind::RamDisk, "RAM-Disk"},
    };
    for (const auto& [kind, german] : cases) {
        EXPECT_EQ(DriveTypeWords(kind, Language::German), german) << german;
        EXPECT_EQ(DriveTypeWords(kind, Language::English), DriveTypeText(kind)) << german;
    }
}

} // namespace
} // namespace velmaron::cli
