// Reading the device's version file through the real window, on simulated drives.

#include "app_fixture.h"
#include "config/config_file.h"
#include "config/hex_record.h"
#include "config/version_file_decoder.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <set>
#include <sstream>

namespace velmaron::test {
namespace {

using SettingsTest = WindowTest;

const QString Reconnect =
    QStringLiteral("\r\nTrennen und verbinden Sie den Velmaron.\r\nWarten Sie einen Moment und "
                   "klicken auf \"Aktuelle Einstellungen\".");
const QString MissingFile = QStringLiteral("Konfigurationsdatei fehlt.") + Reconnect;
const QString BrokenFile = QStringLiteral("Fehler in der Konfigurationsdatei.") + Reconnect;

std::string fileNamesShown(const Form1& window) {
    std::string marks;
    for (const QRadioButton* option : window.Option1)
        marks += option->isHidden() ? '-' : 'x';
    return marks;
}

bool listHas(const Form1& window, const QString& line) {
    return !window.List1->findItems(line, Qt::MatchExactly).isEmpty();
}

// B broken (deleted after the message), C configuration shown, - none available; beyond 65536
// bytes, more than any device writes, the read stops.
TEST_F(SettingsTest, EachFormNeedsItsLength) {
    const std::tuple<const char*, int, std::size_t, char> cases[] = {
        {"QX", 20, 22, 'B'},
        {"QX", 8, 40, '-'},
        {"QX", 36, 65536, 'C'},
        {"QX", 36, 65537, 'B'},
    };
    for (const auto& [type, version, length, outcome] : cases) {
        SCOPED_TRACE(header(type, version) + " length " + std::to_string(length));
        messages.clear();
        newWindow().Check3->setValue(1);
        read(versionFile(header(type, version), length));
        EXPECT_EQ(messages, outcome == 'B' ? QStringList{BrokenFile} : QStringList{});
        EXPECT_EQ(fs::exists(versionPath()), outcome != 'B');
        EXPECT_EQ(listHas(*form, QStringLiteral("Config. byte: FF")), outcome == 'C');
        EXPECT_EQ(form->lblMessage->text(),
                  outcome == '-' ? QStringLiteral("Config. not available") : QString());
        if (outcome == '-') {
            EXPECT_EQ(form->Check3->value(), 0); // the reset runs before the check
        }
    }
}

// Shown file names Option1(0) to (4), and enabled Check8 to Check11, tbDays and Check2.
TEST_F(SettingsTest, SoftwareVersionThresholds) {
    const std::pair<int, const char*> cases[] = {
        {9, "xx--- ----xx"},  {16, "xx--- ----xx"}, {17, "xx--- ----xx"}, {22, "xx--- ----xx"},
        {23, "xx--- ----xx"}, {26, "xx--- ----xx"}, {27, "xxxxx ----xx"}, {28, "xxxxx x-x-xx"},
        {35, "xxxxx x-x-xx"}, {36, "xxxxx xxx-xx"}, {53, "xxxxx xxx-xx"}, {54, "xxxxx xxxxxx"},
    };
    for (const auto& [version, shown] : cases) {
        SCOPED_TRACE(version);
        newWindow().Check11->setValue(1); // a ticked date range must not survive an older device
        read(qx(version));
        EXPECT_TRUE(messages.isEmpty());
        EXPECT_EQ(form->lblSWVersion->text(), QStringLiteral("SW Version - QX %1").arg(version));
        EXPECT_TRUE(listHas(*form, QStringLiteral("Velmaron Softwareversion: %1").arg(version)));
        EXPECT_TRUE(
            listHas(*form, QStringLiteral("Version file length: %1").arg(formLength(version))));
        EXPECT_EQ(form->Option1[1]->text(), version < 17 ? QStringLiteral("Abgekürzter Dateiname\"")
                                                         : QStringLiteral("Europa/VDO(DDD)"));
        EXPECT_EQ(fileNamesShown(*form) + " " +
                      enabled({form->Check8, form->Check9, form->Check10, form->Check11,
                               form->tbDays, form->Check2}),
                  shown);
        EXPECT_EQ(form->Check11->value(), 0);
    }
}

TEST_F(SettingsTest, DeviceTypesAndTheReadsBefore) {
    // Headers read in turn; what the last one leaves.
    const std::tuple<const char*, const char*, int, const char*, bool> cases[] = {
        {"qx000054hex", "SW Version - QX 54", 54, "xxxxx", true},
        {"CR000012HEX", "SW Version - CR 12", 12, "xxxxx", true},
        {"QX000016HEX CR000012HEX", "SW Version - CR 12", 12, "xxxxx", false},
        {"QX000016HEX CR000012HEX QX000054HEX", "SW Version - QX 54", 54, "xxxxx", true},
        {"QX000040HEX ab000030HEX", "AB - Unerwartete Softwareversion", 40, "-----", false},
        {"AB000030HEX QX000054HEX CR000012HEX", "SW Version - CR 12", 12, "--xxx", true},
    };
    for (const auto& [headers, caption, softwareVersion, fileNames, check11Enabled] : cases) {
        SCOPED_TRACE(headers);
        newWindow();
        std::istringstream reads(headers);
        for (std::string head; reads >> head;) {
            const bool standard = DeviceTypeOf(head) == "QX";
            read(versionFile(head, standard ? formLength(std::stoi(head.substr(2, 6))) : 80));
        }
        EXPECT_TRUE(messages.isEmpty());
        EXPECT_EQ(form->lblSWVersion->text(), QString::fromLatin1(caption));
        EXPECT_EQ(form->SoftwareVersion(), softwareVersion);
        EXPECT_EQ(fileNamesShown(*form), fileNames);
        EXPECT_EQ(form->Check11->isEnabled(), check11Enabled);
        EXPECT_EQ(form->Option1[1]->text(), QStringLiteral("Europa/VDO(DDD)"));
    }
    EXPECT_TRUE(listHas(*form, QStringLiteral("VelmaronCR Softwareversion: 12")));
    // An unexpected type before any standard read has no version, so no configuration.
    newWindow();
    read(versionFile("AB000054HEX", 80));
    EXPECT_EQ(form->lblMessage->text(), QStringLiteral("Config. not available"));
}

std::set<fs::path> allEntries(const fs::path& folder) {
    std::set<fs::path> entries;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        entries.insert(entry.path());
    return entries;
}

TEST_F(SettingsTest, AMissingFileDeletesNothing) {
    const struct {
        const char* name;
        std::function<void()> arrange;
    } cases[] = {
        {"no UPDATES directory", [] {}},
        {"no version file", [&] { testing::writeFile(updates() / "QX999000.HEX", "x"); }},
        {"a directory of that name", [&] { fs::create_directories(versionPath()); }},
    };
    sim.addDevice('E');
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(updates());
        c.arrange();
        const std::set<fs::path> entries = allEntries(sim.folder());
        messages.clear();
        newWindow();
        readAgain();
        EXPECT_EQ(messages, QStringList{MissingFile});
        EXPECT_EQ(allEntries(sim.folder()), entries);
        EXPECT_TRUE(form->workflow().facts().versionText.empty());
    }
    messages.clear();
    newWindow().FindCurrentSettings(); // no scan: no drive to read from
    settle();
    EXPECT_EQ(messages, QStringList{MissingFile});
}

TEST_F(SettingsTest, BrokenHeaderIsDeletedAfterTwoMessages) {
    sim.addDevice('E');
    for (const char* head : {"QX00 054HEX", "QX000054HEY"}) {
        SCOPED_TRACE(head);
        messages.clear();
        newWindow();
        testing::writeFile(updates() / "DIGIVERS.ION", versionFile(head, 80));
        readAgain();
        EXPECT_EQ(messages, (QStringList{"Velmaron Softwareversion falsch", BrokenFile}));
        EXPECT_FALSE(fs::exists(updates() / "DIGIVERS.ION"));
    }
}

// A file that does not go away (a write-protected card) ends in the message after a bounded
// wait on the worker; here a second name in another case stands for it.
TEST_F(SettingsTest, WaitForAVanishingFileIsBounded) {
    const std::string content = versionFile("QX000054HEX", 20);
    testing::writeFile(updates() / "DIGIVERS.ION", content);
    plugIn('E', content);
    if (testing::namesIn(updates()).size() != 2)
        GTEST_SKIP() << "names that differ only in case are one file here";
    // A clock only the pauses move.
    std::chrono::steady_clock::time_point now{};
    std::atomic<int> pauses = 0;
    form->workflow().vanishWait.now = [&now] { return now; };
    form->workflow().vanishWait.pause = [&](std::chrono::milliseconds span) {
        ++pauses;
        now += span;
    };
    readAgain();
    EXPECT_EQ(messages, QStringList{BrokenFile});
    EXPECT_EQ(pauses, 200); // 2 s in pauses of 10 ms
}

TEST_F(SettingsTest, DateRangeSetsThePickersToCalendarDays) {
    // The flag and the big-endian range from byte 72; enabled Check11, tbDays, Label7, Check2.
    const std::tuple<int, const char*, QDate, QDate, const char*> cases[] = {
        {54, "555B3819805D1A9E80", {2018, 7, 1}, {2019, 7, 2}, "x---"},
        {54, "555B38F57FFFFFFFFF", {2018, 7, 1}, {2106, 2, 7}, "x---"},  // time of day
        {40, "550000000080000000", {1970, 1, 1}, {2038, 1, 19}, "----"}, // ticked but locked
        {54, "755B3819805D1A9E80", {2022, 2, 28}, {2023, 3, 1}, "xxxx"},
    };
    for (const auto& [version, range, startDay, endDay, widgetsEnabled] : cases) {
        SCOPED_TRACE(::testing::Message() << version << ' ' << range);
        const std::vector<std::uint8_t> bytes = HexToBytes(range);
        newWindow().Check11->setValue(1);
        read(qx(version, {{72, std::vector<int>(bytes.begin(), bytes.end())}}));
        EXPECT_EQ(form->Check11->value(), bytes[0] == 'U' ? 1 : 0);
        EXPECT_EQ(enabled({form->Check11, form->tbDays, form->Label7, form->Check2}),
                  widgetsEnabled);
        EXPECT_EQ(form->DTPickerStart->date(), startDay);
        EXPECT_EQ(form->DTPickerEnd->date(), endDay);
    }
}

// The device's version file in, the configuration file out: the same settings, as the
// settings model writes them.
TEST_F(SettingsTest, WritingBackGivesWhatTheDeviceReported) {
    const std::vector<int> extras = {1, 0x12, 0x13, 0x14, 0x15, 0x16, 0xFF, 1, 0x19, 0xFF, 0xFF};
    const std::vector<int> rangeOn = {0x55, 0x5B, 0x38, 0x19, 0x80, 0x5D, 0x1A, 0x9E, 0x80};
    // The file, and the period box ("0": since the last download).
    const std::pair<std::string, const char*> cases[] = {
        {qx(23, {{12, {0, 0x4A, 0x79, 0}}, {16, {1, 3, 6, 0xFF}}}), " 92"},
        {qx(30, {{12, {0x80, 0x51, 1, 0}}, {16, {1, 2, 4, 0x11, 0xFF}}, {25, {0x37}}}), " 1"},
        {qx(54, {{16, {1, 2, 3, 4, 5, 6, 0xFF}}, {32, {0x35}}, {33, extras}, {72, rangeOn}}), "0"},
        {qx(40, {{16, {1, 0xFF}}, {32, {0x8F}}, {33, {1, 0x19, 0xFF, 0xFF}}}), "0"},
        {versionFile("CR000012HEX", 80, {{12, {0x80, 0x0B, 0xFC, 0xFF}}, {32, {0x3F}}}), "-3"},
    };
    for (const auto& [file, days] : cases) {
        SCOPED_TRACE(file.substr(0, 11));
        newWindow();
        read(file);
        EXPECT_TRUE(messages.isEmpty());
        EXPECT_EQ(form->tbDays->text(), QString::fromLatin1(days));
        configure();
        ASSERT_TRUE(messages.isEmpty());
        const std::string written = testing::readAll(
            updates() / (file.starts_with("CR") ? "CR999000.HEX" : "QX999000.HEX"));
        // The window's dates go where the device's range is off.
        DeviceSettings model = DecodeVersionFile(file).reported().value();
        if (!model.dateRangeOn) {
            const auto dayOf = [](const QDate& d) {
                return std::chrono::sys_days(std::chrono::days(d.toJulianDay() - 2440588));
            };
            model.rangeStart = dayOf(form->DTPickerStart->date());
            model.rangeEnd = dayOf(form->DTPickerEnd->date());
        }
        EXPECT_EQ(ConfigFileBytes(BuildConfigFile(model).file.value()), written);
    }
}

} // namespace
} // namespace velmaron::test
