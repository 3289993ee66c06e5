#pragma once
// The main window on simulated drives, driven tick by tick: devices are plugged in and pulled
// by moving their folders, and the arrow display is read back as what it shows.

#include "app/picture_box.h"
#include "app_fixture.h"
#include "device/sim_drives.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace velmaron::test {

namespace fs = std::filesystem;

// A device's version file in the form that its type and software version call for: 21 bytes
// up to version 27, 25 bytes up to 35, else (and for a CR) 80 bytes.
struct VersionFile {
    std::string type = "QX";
    int version = 54;
    std::vector<int> period = {0x00, 0x4A, 0x79, 0x00}; // 92 days
    std::vector<int> trep = {0x01, 0x02, 0xFF, 0xFF};   // from position 16
    int configByte = 0xFF;
    std::vector<int> extra;                     // from position 33
    std::uint32_t rangeStart = 0, rangeEnd = 0; // the range is on when a start is given

    std::string bytes() const {
        std::string version6 = std::to_string(version);
        std::string text = type + std::string(6 - version6.size(), '0') + version6 + "HEX";
        const bool full = type == "CR" || version > 35;
        const bool mid = !full && version > 27;
        append(text, period);
        append(text, trep);
        text.resize(full ? 31 : mid ? 24 : 21, '\xFF');
        if (full || mid)
            text += static_cast<char>(configByte);
        if (!full)
            return text;
        append(text, extra);
        text.resize(71, '\xFF');
        text += rangeStart ? 'U' : '\xFF';
        for (std::uint32_t moment : {rangeStart, rangeEnd})
            for (int shift = 24; shift >= 0; shift -= 8)
                text += static_cast<char>((moment >> shift) & 0xFF);
        return text;
    }

private:
    static void append(std::string& text, const std::vector<int>& values) {
        for (int value : values)
            text += static_cast<char>(value);
    }
};

class CycleTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        newWindow();
    }

    void newWindow() {
        makeForm();
        form->setDriveServices(MakeSimulatedDriveServices(sim.folder().string()));
    }

    fs::path drive(char letter) const { return sim.folder() / std::string(1, letter); }
    fs::path updates(char letter) const { return drive(letter) / "UPDATES"; }

    void plugIn(char letter, const VersionFile& file = {}) {
        sim.addDevice(letter);
        velmaron::testing::writeFile(updates(letter) / "digivers.ion", file.bytes());
    }
    // Pulling the cable moves the drive's folder out of sight; plugging in brings it back.
    void pull(char letter) { fs::rename(drive(letter), sim.folder() / pulledName(letter)); }
    void replug(char letter) { fs::rename(sim.folder() / pulledName(letter), drive(letter)); }

    void tick() { form->Timer1_Timer(); }
    // The reconnect procedure starts the poll timer; here only the test's own calls tick.
    void configure() {
        form->cmdConfigure_Click();
        timerStarted = form->Timer1->isActive();
        form->Timer1->stop();
    }

    // The names in UPDATES, sorted.
    std::vector<std::string> updateFiles(char letter) const {
        std::vector<std::string> names;
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(updates(letter), error))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // What the arrow display holds: "blank", "in@0", "in@32", "out@0", "out@32" or "other".
    std::string arrowShown() const {
        const QImage shown = imageOf(form->picArrowDisplay);
        const QImage blank = imageOf(form->picNoArrow);
        if (shown == blank)
            return "blank";
        for (const auto& [name, box] :
             {std::pair{"in", form->picInArrow}, std::pair{"out", form->picOutArrow}}) {
            for (int left : {0, 32}) {
                QImage expected = blank;
                QPainter painter(&expected);
                painter.drawImage(left, 0, imageOf(box));
                painter.end();
                if (shown == expected)
                    return std::string(name) + "@" + std::to_string(left);
            }
        }
        return "other";
    }

    static QImage imageOf(PictureBox* box) {
        return box->surface().toImage().convertToFormat(QImage::Format_RGB32);
    }

    velmaron::testing::SimDrives sim;
    bool timerStarted = false;

private:
    static std::string pulledName(char letter) { return std::string("pulled-") + letter; }
};

} // namespace velmaron::test
