// Reading the device's version file through the real window, on simulated drives.

#include "app/clickable_label.h"
#include "app/tri_state_check_box.h"
#include "app_fixture.h"
#include "config/hex_record.h"
#include "device/sim_drives.h"

#include <QDateEdit>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace velmaron::test {
namespace {

namespace fs = std::filesystem;

const QString Reconnect =
    QStringLiteral("\r\nTrennen und verbinden Sie den Velmaron.\r\nWarten Sie einen Moment und "
                   "klicken auf \"Aktuelle Einstellungen\".");
const QString MissingFile = QStringLiteral("Konfigurationsdatei fehlt.") + Reconnect;
const QString BrokenFile = QStringLiteral("Fehler in der Konfigurationsdatei.") + Reconnect;
const QString WrongVersion = QStringLiteral("Velmaron Softwareversion falsch");

// Bytes placed from a 1-based position on.
struct Bytes {
    std::size_t pos;
    std::vector<int> values;
};

// A version file of the given length: the header, everything else 255 unless placed.
std::string versionFile(std::string_view header, std::size_t length,
                        const std::vector<Bytes>& placed = {}) {
    std::string text(length, '\xFF');
    text.replace(0, std::min(header.size(), length), header.substr(0, length));
    for (const Bytes& bytes : placed)
        for (std::size_t i = 0; i < bytes.values.size(); ++i)
            text.at(bytes.pos - 1 + i) = static_cast<char>(bytes.values[i]);
    return text;
}

std::string header(const char* type, int version) {
    char text[16];
    std::snprintf(text, sizeof text, "%s%06dHEX", type, version);
    return text;
}

// The form a standard device of this version reports.
std::size_t formLength(int version) {
    return version > 35 ? 80 : version > 27 ? 25 : 21;
}

// A file of the length its header calls for (other types: the full form), the rest 255.
std::string report(const std::string& head) {
    const int version = std::stoi(head.substr(2, 6));
    return versionFile(head, DeviceTypeOf(head) == "QX" ? formLength(version) : 80);
}

class SettingsTest : public AppTest {
protected:
    fs::path versionPath() const { return device / "UPDATES" / "digivers.ion"; }

    Form1& newWindow() {
        Form1& window = makeForm();
        window.setDriveServices(MakeSimulatedDriveServices(sim.folder().string()));
        return window;
    }

    // Puts the file on the device and lets the window read it, as a poll with one device does.
    void read(Form1& window, const std::string& content) {
        testing::writeFile(versionPath(), content);
        readAgain(window);
    }

    void readAgain(Form1& window) {
        window.ScanForDevices();
        ASSERT_EQ(window.DeviceCount, 1);
        window.FindCurrentSettings();
    }

    Form1& readNew(const std::string& content) {
        Form1& window = newWindow();
        read(window, content);
        return window;
    }

    testing::SimDrives sim;
    fs::path device = sim.addDevice('E');
};

// Numbers of the ticked boxes among Check2 to Check11.
std::set<int> ticked(const Form1& window) {
    const TriStateCheckBox* const boxes[] = {
        window.Check2, window.Check3, window.Check4, window.Check5,  window.Check6,
        window.Check7, window.Check8, window.Check9, window.Check10, window.Check11};
    std::set<int> numbers;
    for (int i = 0; i < 10; ++i)
        if (boxes[i]->value() == 1)
            numbers.insert(i + 2);
    return numbers;
}

int checkedOption(QRadioButton* const* options, int count) {
    for (int i = 0; i < count; ++i)
        if (options[i]->isChecked())
            return i;
    return -1;
}

std::string visibleFileNames(const Form1& window) {
    std::string shown;
    for (const QRadioButton* option : window.Option1)
        shown += option->isHidden() ? '-' : 'x';
    return shown;
}

bool listHas(const Form1& window, const QString& line) {
    return !window.List1->findItems(line, Qt::MatchExactly).isEmpty();
}

TEST_F(SettingsTest, EachFormNeedsItsLength) {
    struct Case {
        const char* type;
        int version;
        std::size_t length;
        QStringList messages; // empty: accepted
    } cases[] = {
        {"QX", 20, 20, {BrokenFile}}, {"QX", 20, 21, {}},           {"QX", 20, 22, {BrokenFile}},
        {"QX", 30, 24, {BrokenFile}}, {"QX", 30, 25, {}},           {"QX", 30, 26, {BrokenFile}},
        {"QX", 36, 79, {BrokenFile}}, {"QX", 36, 80, {}},           {"QX", 36, 81, {}},
        {"CR", 12, 79, {BrokenFile}}, {"CR", 12, 80, {}},           {"QX", 5, 30, {}},
        {"QX", 36, 0, {BrokenFile}},  {"QX", 36, 11, {BrokenFile}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(header(c.type, c.version) + " length " + std::to_string(c.length));
        messages.clear();
        Form1& window = readNew(versionFile(header(c.type, c.version), c.length));
        EXPECT_EQ(messages, c.messages);
        EXPECT_EQ(fs::exists(versionPath()), c.messages.isEmpty());
        const bool configShown = c.messages.isEmpty() && c.version > 8;
        EXPECT_EQ(listHas(window, QStringLiteral("Config. byte: FF")), configShown);
        EXPECT_EQ(window.lblMessage->text().isEmpty(), configShown || !c.messages.isEmpty());
    }
}

TEST_F(SettingsTest, SoftwareVersionThresholds) {
    struct Case {
        int version;
        const char* option1Caption;
        const char* fileNames; // Option1(0) to (4): x shown, - hidden
        bool check8, check9, check10, check11;
    } cases[] = {
        {9, "Abgekürzter Dateiname\"", "xx---", false, false, false, false},
        {16, "Abgekürzter Dateiname\"", "xx---", false, false, false, false},
        {17, "Europa/VDO(DDD)", "xx---", false, false, false, false},
        {22, "Europa/VDO(DDD)", "xx---", false, false, false, false},
        {23, "Europa/VDO(DDD)", "xx---", false, false, false, false},
        {26, "Europa/VDO(DDD)", "xx---", false, false, false, false},
        {27, "Europa/VDO(DDD)", "xxxxx", false, false, false, false},
        {28, "Europa/VDO(DDD)", "xxxxx", true, false, true, false},
        {35, "Europa/VDO(DDD)", "xxxxx", true, false, true, false},
        {36, "Europa/VDO(DDD)", "xxxxx", true, true, true, false},
        {53, "Europa/VDO(DDD)", "xxxxx", true, true, true, false},
        {54, "Europa/VDO(DDD)", "xxxxx", true, true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        Form1& window = newWindow();
        window.Check11->setValue(1); // a ticked date range must not survive an older device
        read(window, report(header("QX", c.version)));
        EXPECT_TRUE(messages.isEmpty());
        EXPECT_EQ(window.SoftwareVersion, c.version);
        EXPECT_EQ(window.lblSWVersion->text(), QStringLiteral("SW Version - QX %1").arg(c.version));
        EXPECT_TRUE(listHas(window, QStringLiteral("Velmaron Softwareversion: %1").arg(c.version)));
        EXPECT_TRUE(
            listHas(window, QStringLiteral("Version file length: %1").arg(formLength(c.version))));
        EXPECT_EQ(window.Option1[1]->text(), QString::fromUtf8(c.option1Caption));
        EXPECT_EQ(visibleFileNames(window), c.fileNames);
        EXPECT_EQ(window.Check8->isEnabled(), c.check8);
        EXPECT_EQ(window.Check9->isEnabled(), c.check9);
        EXPECT_EQ(window.Check10->isEnabled(), c.check10);
        EXPECT_EQ(window.Check11->isEnabled(), c.check11);
        EXPECT_EQ(window.Check11->value(), 0);
        EXPECT_TRUE(window.tbDays->isEnabled());
        EXPECT_TRUE(window.Check2->isEnabled());
    }
}

TEST_F(SettingsTest, OldSoftwareHasNoConfigurationAndKeepsItsFile) {
    for (int version : {5, 8}) {
        SCOPED_TRACE(version);
        Form1& window = newWindow();
        window.Check3->setValue(1);
        read(window, versionFile(header("QX", version), 40, {{25, {0x05}}}));
        EXPECT_EQ(window.lblMessage->text(), QStringLiteral("Config. not available"));
        EXPECT_TRUE(messages.isEmpty());
        EXPECT_TRUE(fs::exists(versionPath()));
        EXPECT_EQ(window.Check3->value(), 0); // the reset runs before the check
        EXPECT_EQ(window.ConfigByte, 0);
    }
}

// Reads one after the other on the same window; what the last one leaves.
TEST_F(SettingsTest, DeviceTypesAndTheReadsBefore) {
    struct Case {
        const char* name;
        std::vector<std::string> headers;
        const char* caption;
        int softwareVersion;
        const char* fileNames;
        bool check11Enabled;
    } cases[] = {
        {"lower case", {"qx000054hex"}, "SW Version - QX 54", 54, "xxxxx", true},
        {"CR", {"CR000012HEX"}, "SW Version - CR 12", 12, "xxxxx", true},
        {"CR after an old QX",
         {"QX000016HEX", "CR000012HEX"},
         "SW Version - CR 12",
         12,
         "xxxxx",
         false},
        {"QX 54 after CR",
         {"QX000016HEX", "CR000012HEX", "QX000054HEX"},
         "SW Version - QX 54",
         54,
         "xxxxx",
         true},
        {"unexpected type",
         {"QX000040HEX", "ab000030HEX"},
         "AB - Unerwartete Softwareversion",
         40,
         "-----",
         false},
        {"hidden stays hidden",
         {"AB000030HEX", "QX000054HEX", "CR000012HEX"},
         "SW Version - CR 12",
         12,
         "--xxx",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Form1& window = newWindow();
        for (const std::string& head : c.headers)
            read(window, report(head));
        EXPECT_TRUE(messages.isEmpty());
        EXPECT_EQ(window.lblSWVersion->text(), QString::fromLatin1(c.caption));
        EXPECT_EQ(window.SoftwareVersion, c.softwareVersion);
        EXPECT_EQ(visibleFileNames(window), c.fileNames);
        EXPECT_EQ(window.Check11->isEnabled(), c.check11Enabled);
    }
    Form1& window = readNew(versionFile("CR000012HEX", 80));
    EXPECT_TRUE(listHas(window, QStringLiteral("VelmaronCR Softwareversion: 12")));
    EXPECT_EQ(window.Option1[1]->text(), QStringLiteral("Europa/VDO(DDD)"));
    // An unexpected type before any standard read has no version, so no configuration.
    Form1& first = readNew(versionFile("AB000054HEX", 80));
    EXPECT_EQ(first.lblMessage->text(), QStringLiteral("Config. not available"));
}

std::set<fs::path> allEntries(const fs::path& folder) {
    std::set<fs::path> entries;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        entries.insert(entry.path());
    return entries;
}

TEST_F(SettingsTest, MissingFileDeletesNothing) {
    const fs::path outside = sim.folder() / "outside.ion";
    struct Case {
        const char* name;
        std::function<void()> arrange;
    } cases[] = {
        {"no UPDATES directory", [] {}},
        {"no version file", [&] { testing::writeFile(device / "UPDATES" / "QX999000.HEX", "x"); }},
        {"a directory of that name", [&] { fs::create_directories(versionPath()); }},
        {"a link out of the drive",
         [&] {
             testing::writeFile(outside, versionFile("QX000010HEX", 10));
             fs::create_directories(device / "UPDATES");
             ASSERT_TRUE(testing::makeSymlink(outside, versionPath()));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(device / "UPDATES");
        c.arrange();
        const std::set<fs::path> entries = allEntries(sim.folder());
        messages.clear();
        Form1& window = newWindow();
        readAgain(window);
        EXPECT_EQ(messages, QStringList{MissingFile});
        EXPECT_EQ(allEntries(sim.folder()), entries);
        EXPECT_TRUE(window.VersionText.empty());
    }
    messages.clear();
    newWindow().FindCurrentSettings(); // no scan: no drive to read from
    EXPECT_EQ(messages, QStringList{MissingFile});
}

TEST_F(SettingsTest, BrokenHeaderIsDeletedAfterTwoMessages) {
    for (const char* head : {"QX010054HEX", "QX000054HEY", "QX00 054HEX", "QX0000.5HEX"}) {
        SCOPED_TRACE(head);
        messages.clear();
        Form1& window = newWindow();
        fs::create_directories(device / "UPDATES");
        // The device's own name for the file may differ in case.
        const fs::path upper = device / "UPDATES" / "DIGIVERS.ION";
        testing::writeFile(upper, versionFile(head, 80));
        readAgain(window);
        EXPECT_EQ(messages, (QStringList{WrongVersion, BrokenFile}));
        EXPECT_FALSE(fs::exists(upper));
        EXPECT_EQ(window.SoftwareVersion, 0);
    }
}

// A file that does not go away (a write-protected card, a caching file system) still ends in
// the message, after a bounded wait during which the window keeps working. Here a second name
// in another case stands for it: the device's names are case-blind, so it is the same file.
TEST_F(SettingsTest, WaitForAVanishingFileIsBounded) {
    Form1& window = newWindow();
    const std::string content = versionFile("QX000054HEX", 20);
    testing::writeFile(device / "UPDATES" / "DIGIVERS.ION", content);
    int ticks = 0;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&ticks] { ++ticks; });
    poll.start(100);
    QElapsedTimer clock;
    clock.start();
    read(window, content);
    const qint64 waited = clock.elapsed();
    EXPECT_EQ(messages, QStringList{BrokenFile});
    EXPECT_GE(waited, 1900);
    EXPECT_LE(waited, 2500);
    EXPECT_GE(ticks, 10);
}

TEST_F(SettingsTest, ConfigurationByte) {
    struct Case {
        int version;
        int configByte;
        const char* listLine;
        int velmaron, fileName;
        bool cardDate, keepBit1;
    } cases[] = {
        {20, 0x05, "Config. byte: FF", 0, 0, false, false}, // the short form has none
        {54, 0x8F, "Config. byte: 8F", 0, 4, false, false},
        {54, 0x37, "Config. byte: 37", 1, 1, true, false},
        {54, 0x35, "Config. byte: 35", 1, 1, true, true},
        {30, 0x35, "Config. byte: 35", 1, 1, true, false}, // bit 1 is kept only from the full form
        {54, 0xAF, "Config. byte: AF", 0, 2, false, false},
        {54, 0x9F, "Config. byte: 9F", 0, 3, false, false},
        {54, 0xCF, "Config. byte: CF", 0, 0, false, false},
        {54, 0x05, "Config. byte: 5", 1, 4, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.listLine);
        std::vector<Bytes> placed;
        if (c.version > 27)
            placed.push_back({c.version > 35 ? 32u : 25u, {c.configByte}});
        Form1& window =
            readNew(versionFile(header("QX", c.version), formLength(c.version), placed));
        EXPECT_TRUE(listHas(window, QString::fromLatin1(c.listLine)));
        EXPECT_EQ(checkedOption(window.optVelmaron, 2), c.velmaron);
        EXPECT_EQ(checkedOption(window.Option1, 5), c.fileName);
        EXPECT_EQ(window.Check7->value(), c.cardDate ? 1 : 0);
        EXPECT_EQ(window.KeepBit1, c.keepBit1);
    }
}

TEST_F(SettingsTest, CodeWalks) {
    const std::vector<int> extras = {0x01, 0x11, 0xFF, 0x01, 0x12, 0x13, 0x14,
                                     0x15, 0x16, 0xFF, 0x01, 0x19, 0xFF, 0xFF};
    struct Case {
        const char* name;
        std::string file;
        std::set<int> ticked;
        bool previousWasFF = false;
    } cases[] = {
        {"full TREP list ends at its pair of 255",
         versionFile("QX000054HEX", 80, {{16, {0x01, 0x02, 0x05, 0xFF, 0xFF, 0x03}}}),
         {2, 5}},
        {"extra data, then no walk into the dates",
         versionFile("QX000054HEX", 80, {{33, extras}, {72, {0x55, 0x03, 0x03, 0x03, 0x03}}}),
         {8, 9, 10, 11}},
        {"no pair of 255: into the dates and beyond",
         versionFile("QX000054HEX", 82,
                     {{33, std::vector<int>(39, 0x01)},
                      {72, {0, 0, 0, 0, 0x04, 0, 0, 0, 0}},
                      {82, {0x06}}}),
         {4, 6}},
        {"TREP walk ends before the configuration byte",
         versionFile("QX000054HEX", 80, {{16, std::vector<int>(16, 0x01)}, {32, {0x19}}}),
         {}},
        {"short form: positions 17 to 21",
         versionFile("QX000020HEX", 21, {{17, {2, 3, 4, 5, 6}}}),
         {2, 3, 4, 5, 6}},
        {"4 Hz code in the mid form ticks VDO too",
         versionFile("QX000030HEX", 25, {{16, {0x01, 0x11, 0xFF, 0xFF}}}),
         {8, 10}},
        {"VDO code in the mid form ticks 4 Hz too",
         versionFile("QX000030HEX", 25, {{16, {0x01, 0x14, 0xFF, 0xFF}}}),
         {8, 10}},
        {"from 36 on the two are apart",
         versionFile("QX000036HEX", 80, {{16, {0x01, 0x11}}}),
         {10}},
        {"a walk that starts with 255 ends one byte later on a fresh window",
         versionFile("QX000054HEX", 80, {{17, {0xFF, 0x02, 0xFF, 0xFF}}}),
         {2}},
        {"and at once after a list that ended with 255",
         versionFile("QX000054HEX", 80, {{17, {0xFF, 0x02, 0xFF, 0xFF}}}),
         {},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Form1& window = newWindow();
        window.codeListEnd.PreviousWasFF = c.previousWasFF;
        read(window, c.file);
        EXPECT_EQ(ticked(window), c.ticked);
    }
}

TEST_F(SettingsTest, DownloadPeriod) {
    struct Case {
        std::vector<int> bytes; // positions 12 to 15
        const char* days;
    } cases[] = {
        {{0xFF, 0xFF, 0xFF, 0xFF}, "0"},  {{0x00, 0x4A, 0x79, 0x00}, " 92"},
        {{0x00, 0x00, 0x00, 0x00}, " 0"}, {{0x7F, 0x51, 0x01, 0x00}, " 0"},
        {{0x80, 0x0B, 0xFC, 0xFF}, "-3"}, {{0xFF, 0xFF, 0xFF, 0x7F}, " 24855"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.days);
        Form1& window = readNew(versionFile("CR000012HEX", 80, {{12, c.bytes}}));
        EXPECT_EQ(window.tbDays->text(), QString::fromLatin1(c.days));
    }
}

TEST_F(SettingsTest, DateRangeSetsThePickersToCalendarDays) {
    struct Case {
        const char* name;
        int version;
        int flag;
        std::vector<int> moments; // positions 73 to 80
        QDate start, end;         // the start-up range when the flag is off
        bool check11Enabled;
    } cases[] = {
        {"whole days",
         54,
         'U',
         {0x5B, 0x38, 0x19, 0x80, 0x5D, 0x1A, 0x9E, 0x80},
         QDate(2018, 7, 1),
         QDate(2019, 7, 2),
         true},
        {"the time of day is dropped",
         54,
         'U',
         {0x5B, 0x38, 0xF5, 0x7F, 0xFF, 0xFF, 0xFF, 0xFF},
         QDate(2018, 7, 1),
         QDate(2106, 2, 7),
         true},
        {"ticked but locked before 54",
         40,
         'U',
         {0, 0, 0, 0, 0x80, 0, 0, 0},
         QDate(1970, 1, 1),
         QDate(2038, 1, 19),
         false},
        {"flag off",
         54,
         'u',
         {0x5B, 0x38, 0x19, 0x80, 0x5D, 0x1A, 0x9E, 0x80},
         QDate(2022, 2, 28),
         QDate(2023, 3, 1),
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Form1& window = newWindow();
        window.Check11->setValue(1);
        read(window, versionFile(header("QX", c.version), 80, {{72, {c.flag}}, {73, c.moments}}));
        const bool range = c.flag == 'U';
        EXPECT_EQ(window.Check11->value(), range ? 1 : 0);
        EXPECT_EQ(window.Check11->isEnabled(), c.check11Enabled);
        EXPECT_EQ(window.tbDays->isEnabled(), !range);
        EXPECT_EQ(window.Label7->isEnabled(), !range);
        EXPECT_EQ(window.Check2->isEnabled(), !range);
        EXPECT_EQ(window.DTPickerStart->date(), c.start);
        EXPECT_EQ(window.DTPickerEnd->date(), c.end);
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
    const std::vector<int> extras = {0x01, 0x12, 0x13, 0x14, 0x15, 0x16,
                                     0xFF, 0x01, 0x19, 0xFF, 0xFF};
    const std::vector<int> rangeOn = {0x55, 0x5B, 0x38, 0x19, 0x80, 0x5D, 0x1A, 0x9E, 0x80};
    struct Case {
        const char* name;
        std::string file;
        std::size_t configAt, trepEnd, extraEnd; // 1-based; 0: not in this form
    } cases[] = {
        {"short", versionFile("QX000020HEX", 21, {{12, {0, 0x4A, 0x79, 0}}, {16, {1, 3, 6, 0xFF}}}),
         0, 19, 0},
        {"mid, 4 Hz with VDO",
         versionFile("QX000030HEX", 25,
                     {{12, {0x80, 0x51, 0x01, 0}}, {16, {1, 2, 4, 0x11, 0xFF}}, {25, {0x37}}}),
         25, 20, 0},
        {"full with range",
         versionFile("QX000054HEX", 80,
                     {{16, {1, 2, 3, 4, 5, 6, 0xFF}}, {32, {0x35}}, {33, extras}, {72, rangeOn}}),
         32, 22, 43},
        {"full since the last download",
         versionFile("QX000040HEX", 80,
                     {{16, {1, 0xFF}}, {32, {0x8F}}, {33, {0x01, 0x19, 0xFF, 0xFF}}}),
         32, 17, 36},
        {"CR", versionFile("CR000012HEX", 80, {{32, {0x3F}}}), 32, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Form1& window = readNew(c.file);
        EXPECT_TRUE(messages.isEmpty());
        ASSERT_TRUE(window.WriteConfigFile().written);
        const std::string written = testing::readAll(
            device / "UPDATES" / (window.DeviceType == "CR" ? "CR999000.HEX" : "QX999000.HEX"));
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
