// Reading the device's version file through the real window, on simulated drives.

#include "app_fixture.h"
#include "config/config_file.h"
#include "config/hex_record.h"
#include "config/version_file_decoder.h"

#include <atomic>
#include <thread>
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

// Numbers of the ticked boxes among Check2 to Check11.
std::set<int> ticked(const Form1& window) {
    std::set<int> numbers;
    for (int n = 2; n <= 11; ++n)
        if (window.findChild<TriStateCheckBox*>(QStringLiteral("Check%1").arg(n))->value() == 1)
            numbers.insert(n);
    return numbers;
}

// One mark per file-name option: x where it is shown, - elsewhere.
std::string fileNamesShown(const Form1& window) {
    std::string marks;
    for (const QRadioButton* option : window.Option1)
        marks += option->isHidden() ? '-' : 'x';
    return marks;
}

// The boxes among Check2 to Check11 that the settings model ticks for a version file.
std::set<int> tickedByModel(const std::string& file) {
    const DeviceSettings s = DecodeVersionFile(file).reported().value();
    std::set<int> numbers;
    for (const DataSet& set : DataSetTable)
        if (s.data.*set.member)
            numbers.insert(set.box);
    if (s.cardDate)
        numbers.insert(7);
    if (s.dateRangeOn)
        numbers.insert(11);
    return numbers;
}

bool listHas(const Form1& window, const QString& line) {
    return !window.List1->findItems(line, Qt::MatchExactly).isEmpty();
}

// Outcome: B broken (deleted after the message), C configuration shown, - none available.
// Beyond 65536 bytes, more than any device writes, the read stops and the file is broken.
TEST_F(SettingsTest, EachFormNeedsItsLength) {
    const std::tuple<const char*, int, std::size_t, char> cases[] = {
        {"QX", 20, 20, 'B'},    {"QX", 20, 21, 'C'},    {"QX", 20, 22, 'B'},
        {"QX", 30, 24, 'B'},    {"QX", 30, 25, 'C'},    {"QX", 30, 26, 'B'},
        {"QX", 36, 79, 'B'},    {"QX", 36, 80, 'C'},    {"QX", 36, 81, 'C'},
        {"CR", 12, 79, 'B'},    {"CR", 12, 80, 'C'},    {"QX", 36, 0, 'B'},
        {"QX", 8, 40, '-'},     {"QX", 36, 65536, 'C'}, {"QX", 36, 65537, 'B'},
        {"CR", 12, 65537, 'B'},
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

// Up to 16 the file names are abbreviated. Shown file names Option1(0) to (4), and enabled
// Check8 to Check11, tbDays and Check2.
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
    // Headers read in turn; the caption, software version, shown file names and Check11's
    // enabled state that the last one leaves.
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

class MissingFileTest : public SettingsTest {
protected:
    // A fresh window reads the device: the missing-file message, every entry left as it was.
    void expectMissingAndKept() {
        const std::set<fs::path> entries = allEntries(sim.folder());
        messages.clear();
        newWindow();
        readAgain();
        EXPECT_EQ(messages, QStringList{MissingFile});
        EXPECT_EQ(allEntries(sim.folder()), entries);
        EXPECT_TRUE(form->workflow().facts().versionText.empty());
    }
};

TEST_F(MissingFileTest, DeletesNothing) {
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
        expectMissingAndKept();
    }
    messages.clear();
    newWindow().FindCurrentSettings(); // no scan: no drive to read from
    settle();
    EXPECT_EQ(messages, QStringList{MissingFile});
}

TEST_F(MissingFileTest, ALinkOutOfTheDriveIsNotFollowed) {
    const fs::path outside = sim.folder() / "outside.ion";
    testing::writeFile(outside, versionFile("QX000010HEX", 10));
    sim.addDevice('E');
    fs::create_directories(updates());
    if (!testing::makeSymlink(outside, versionPath()))
        GTEST_SKIP() << "links cannot be made here";
    expectMissingAndKept();
}

// A read of a FIFO would wait for a writer for ever.
TEST_F(MissingFileTest, AFifoIsNeverWaitedFor) {
    sim.addDevice('E');
    fs::create_directories(updates());
    if (!testing::makeFifo(versionPath()))
        GTEST_SKIP() << "FIFOs cannot be made here";
    expectMissingAndKept();
}

TEST_F(SettingsTest, BrokenHeaderIsDeletedAfterTwoMessages) {
    sim.addDevice('E');
    for (const char* head : {"QX00 054HEX", "QX000054HEY"}) {
        SCOPED_TRACE(head);
        messages.clear();
        newWindow();
        // The device's own name for the file may differ in case.
        testing::writeFile(updates() / "DIGIVERS.ION", versionFile(head, 80));
        readAgain();
        EXPECT_EQ(messages, (QStringList{"Velmaron Softwareversion falsch", BrokenFile}));
        EXPECT_FALSE(fs::exists(updates() / "DIGIVERS.ION"));
    }
}

// A file that does not go away (a write-protected card, a caching file system) still ends in
// the message, after a bounded wait during which the window keeps working. Here a second name
// in another case stands for it: the device's names are case-blind, so it is the same file.
TEST_F(SettingsTest, WaitForAVanishingFileIsBounded) {
    const std::string content = versionFile("QX000054HEX", 20);
    testing::writeFile(updates() / "DIGIVERS.ION", content);
    plugIn('E', content);
    if (testing::namesIn(updates()).size() != 2)
        GTEST_SKIP() << "names that differ only in case are one file here";
    // A clock that only the pauses move, on the device worker's thread; an event posted to the
    // window at one pause must be handled before the next.
    std::chrono::steady_clock::time_point now{};
    std::atomic<int> pauses = 0;
    std::atomic<int> handledAfter = -1;
    form->workflow().vanishWait.now = [&now] { return now; };
    form->workflow().vanishWait.pause = [&](std::chrono::milliseconds span) {
        ++pauses;
        now += span;
        if (pauses != 50)
            return;
        QMetaObject::invokeMethod(form.get(), [&] { handledAfter = pauses.load(); });
        for (int wait = 0; wait < 5000 && handledAfter < 0; ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    };
    readAgain();
    EXPECT_EQ(messages, QStringList{BrokenFile});
    EXPECT_EQ(pauses, 200); // 2 s in pauses of 10 ms
    EXPECT_EQ(handledAfter, 50);
}

// The short form has no byte; bit 1 is kept only from the full form. Version, the byte, its
// list line, and optVelmaron, Option1, the card date (Check7) and KeepBit1 as they end up.
TEST_F(SettingsTest, ConfigurationByte) {
    const std::tuple<int, int, const char*, const char*> cases[] = {
        {20, 0x05, "FF", "0 0 0 0"}, {54, 0x8F, "8F", "0 4 0 0"}, {54, 0x37, "37", "1 1 1 0"},
        {54, 0x35, "35", "1 1 1 1"}, {30, 0x35, "35", "1 1 1 0"}, {54, 0x05, "5", "1 4 1 1"},
    };
    for (const auto& [version, configByte, listed, settings] : cases) {
        SCOPED_TRACE(::testing::Message() << version << ' ' << configByte);
        std::string file = qx(version);
        if (version > 27)
            file[version > 35 ? 31 : 24] = static_cast<char>(configByte);
        newWindow();
        read(file);
        EXPECT_TRUE(listHas(*form, QStringLiteral("Config. byte: ") + listed));
        EXPECT_EQ(QStringLiteral("%1 %2 %3 %4")
                      .arg(form->optVelmaronGroup->checkedId())
                      .arg(form->Option1Group->checkedId())
                      .arg(form->Check7->value())
                      .arg(form->workflow().facts().keepBit1)
                      .toStdString(),
                  settings);
    }
}

TEST_F(SettingsTest, CodeWalks) {
    const std::vector<int> extras = {0x01, 0x11, 0xFF, 0x01, 0x12, 0x13, 0x14,
                                     0x15, 0x16, 0xFF, 0x01, 0x19, 0xFF, 0xFF};
    const std::tuple<const char*, std::string, std::set<int>> cases[] = {
        {"TREP list to its pair of 255", qx(54, {{16, {1, 2, 5, 0xFF, 0xFF, 3}}}), {2, 5}},
        {"extras, not into the dates", qx(54, {{33, extras}, {72, {'U', 3, 3, 3, 3}}}),
         {8, 9, 10, 11}},
        {"no pair of 255: into the dates and beyond",
         versionFile("QX000054HEX", 82,
                     {{33, std::vector<int>(39, 1)}, {72, {0, 0, 0, 0, 4, 0, 0, 0, 0, 6}}}),
         {4, 6}},
        {"TREP walk ends before 32", qx(54, {{16, std::vector<int>(16, 1)}, {32, {0x19}}}), {}},
        {"short form: 17 to 21", qx(20, {{17, {2, 3, 4, 5, 6}}}), {2, 3, 4, 5, 6}},
        {"mid form: 4 Hz ticks VDO too", qx(30, {{16, {1, 0x11, 0xFF, 0xFF}}}), {8, 10}},
        {"mid form: VDO ticks 4 Hz too", qx(30, {{16, {1, 0x14, 0xFF, 0xFF}}}), {8, 10}},
        {"from 36 on the two are apart", qx(36, {{16, {1, 0x11}}}), {10}},
        {"a walk from 255 ends a byte later", qx(54, {{17, {0xFF, 2, 0xFF, 0xFF}}}), {2}},
    };
    for (const auto& [name, file, expected] : cases) {
        SCOPED_TRACE(name);
        newWindow();
        read(file);
        EXPECT_EQ(ticked(*form), expected);
        EXPECT_EQ(tickedByModel(file), expected);
    }
    // After a read whose list ended with 255 the same walk ends at once.
    newWindow().workflow().codeListEnd.PreviousWasFF = true;
    read(qx(54, {{17, {0xFF, 2, 0xFF, 0xFF}}}));
    EXPECT_EQ(ticked(*form), std::set<int>{});
}

TEST_F(SettingsTest, DateRangeSetsThePickersToCalendarDays) {
    // The flag and the big-endian range from byte 72 on; enabled Check11, tbDays, Label7 and
    // Check2. Without the flag ("U") the start-up range stays.
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

// The data bytes of the record for an address, from the lines of a configuration file.
std::string recordData(const std::string& file, int address) {
    std::istringstream lines(file);
    for (std::string line; std::getline(lines, line);) {
        const auto bytes = HexToBytes(std::string_view(line).substr(1));
        if (bytes.size() >= 5 && bytes[0] > 0 && (bytes[1] << 8 | bytes[2]) == address)
            return std::string(bytes.begin() + 4, bytes.end() - 1);
    }
    return "(no record)";
}

// The device's version file in, the configuration file out: the same settings.
TEST_F(SettingsTest, WritingBackGivesWhatTheDeviceReported) {
    const std::vector<int> extras = {1, 0x12, 0x13, 0x14, 0x15, 0x16, 0xFF, 1, 0x19, 0xFF, 0xFF};
    const std::vector<int> rangeOn = {0x55, 0x5B, 0x38, 0x19, 0x80, 0x5D, 0x1A, 0x9E, 0x80};
    // The file, the period box ("0": since the last download), and 1-based positions of the
    // configuration byte and the ends of the code lists (0: not in this form).
    const struct {
        std::string file;
        const char* days;
        std::size_t configAt, trepEnd, extraEnd;
    } cases[] = {
        {qx(23, {{12, {0, 0x4A, 0x79, 0}}, {16, {1, 3, 6, 0xFF}}}), " 92", 0, 19, 0},
        {qx(30, {{12, {0x80, 0x51, 1, 0}}, {16, {1, 2, 4, 0x11, 0xFF}}, {25, {0x37}}}), " 1", 25,
         20, 0},
        {qx(54, {{16, {1, 2, 3, 4, 5, 6, 0xFF}}, {32, {0x35}}, {33, extras}, {72, rangeOn}}), "0",
         32, 22, 43},
        {qx(40, {{16, {1, 0xFF}}, {32, {0x8F}}, {33, {1, 0x19, 0xFF, 0xFF}}}), "0", 32, 17, 36},
        {versionFile("CR000012HEX", 80, {{12, {0x80, 0x0B, 0xFC, 0xFF}}, {32, {0x3F}}}), "-3", 32,
         0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file.substr(0, 11));
        newWindow();
        read(c.file);
        EXPECT_TRUE(messages.isEmpty());
        EXPECT_EQ(form->tbDays->text(), QString::fromLatin1(c.days));
        configure();
        ASSERT_TRUE(messages.isEmpty());
        const std::string written = testing::readAll(
            updates() / (c.file.starts_with("CR") ? "CR999000.HEX" : "QX999000.HEX"));
        // The settings model writes the same file, given the window's dates where the
        // device's range is off.
        DeviceSettings model = DecodeVersionFile(c.file).reported().value();
        if (!model.dateRangeOn) {
            const auto dayOf = [](const QDate& d) {
                return std::chrono::sys_days(std::chrono::days(d.toJulianDay() - 2440588));
            };
            model.rangeStart = dayOf(form->DTPickerStart->date());
            model.rangeEnd = dayOf(form->DTPickerEnd->date());
        }
        EXPECT_EQ(ConfigFileBytes(BuildConfigFile(model).file.value()), written);
        const std::string settings = recordData(written, 0x3A00);
        EXPECT_EQ(settings.substr(0, 1), c.configAt ? c.file.substr(c.configAt - 1, 1) : "\xFF");
        if (c.file.starts_with("CR"))
            continue; // the CR device takes the configuration byte only
        EXPECT_EQ(settings.substr(12), c.file.substr(11, 4));
        EXPECT_EQ(recordData(written, 0x3A10), c.file.substr(15, c.trepEnd - 15));
        if (c.extraEnd) {
            EXPECT_EQ(recordData(written, 0x3A20), c.file.substr(32, c.extraEnd - 32));
        }
        if (c.file.size() < 80)
            continue;
        // Without the flag the device's dates are not shown, so they do not come back.
        const std::string dates = recordData(written, 0x3A47);
        const bool range = c.file[71] == 'U';
        EXPECT_EQ(dates.substr(8), range ? "\x55" : "\xFF");
        if (range) {
            EXPECT_EQ(dates.substr(0, 8), c.file.substr(72, 8));
        }
    }
}

} // namespace
} // namespace velmaron::test
