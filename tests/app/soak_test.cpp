// Ten thousand ticks while a seeded script plugs, pulls, breaks version files, links UPDATES
// away, blocks the file's name and presses the button: after each the window is in a state,
// nothing beside the drives changed, a configuration file is complete and no box waits.

#include "app/handler_steps.h"
#include "app_fixture.h"
#include "support/hex_check.h"

#include <QApplication>
#include <random>

namespace velmaron::test {
namespace {

using SoakTest = WindowTest;

constexpr int Ticks = 10000;

TEST_F(SoakTest, TenThousandTicksOfPluggingPullingAndBrokenFiles) {
    std::mt19937 random(20261206);
    const auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };
    const fs::path decoy = sim.folder() / "decoy";
    for (const char* name : {"QX999000.HEX", "CR999000.HEX", "old.hex"})
        testing::writeFile(decoy / name, "decoy");
    const auto decoys = testing::namesIn(decoy);
    std::map<char, bool> plugged{{'E', false}, {'G', false}};
    const std::string statusFiles[] = {
        qx(54), qx(30), qx(23), qx(22), versionFile(header("CR", 40), 80), qx(54).substr(0, 20),
        qx(54) + std::string(30, 'x'), qx(30) + "x", std::string(80, '\x5A')};
    std::error_code ec;
    const auto setStatus = [&](char letter) {
        const fs::path file = versionPath(letter);
        fs::remove_all(file, ec);
        switch (random() % 12) {
        case 0:
            return; // missing
        case 1:
            testing::makeFifo(file);
            return;
        case 2: // far beyond any device's file, without taking the space
            testing::writeFile(file, qx(54));
            fs::resize_file(file, std::uintmax_t{2} << 30, ec);
            return;
        default:
            testing::writeFile(file, statusFiles[random() % std::size(statusFiles)]);
        }
    };
    int configured = 0, saved = 0;
    for (int tick = 0; tick < Ticks; ++tick) {
        SCOPED_TRACE(tick);
        const char letter = chance(85) ? 'E' : 'G';
        if (chance(8)) {
            if (!fs::exists(drive(letter))) {
                plugged[letter] ? replug(letter) : plugIn(letter, qx(54));
                plugged[letter] = true;
            } else {
                pull(letter);
            }
        } else if (fs::exists(drive(letter)) && chance(10)) {
            switch (random() % 4) {
            case 0: // UPDATES linked out of the drive, or back
                if (fs::is_symlink(updates(letter))) {
                    fs::remove(updates(letter));
                    fs::rename(drive(letter) / "real", updates(letter));
                } else {
                    fs::rename(updates(letter), drive(letter) / "real");
                    if (!testing::makeSymlink(decoy, updates(letter))) // no links here
                        fs::rename(drive(letter) / "real", updates(letter));
                }
                break;
            case 1: // the configuration file's name taken by a directory, or freed
                if (fs::is_symlink(updates(letter)))
                    break;
                if (!fs::remove(updates(letter) / "QX999000.HEX", ec))
                    fs::create_directories(updates(letter) / "QX999000.HEX", ec);
                break;
            default:
                if (!fs::is_symlink(updates(letter)))
                    setStatus(letter);
            }
        }
        messages.clear();
        form->Timer1_Timer();
        settle();
        if (form->cmdConfigure->isEnabled() && chance(30)) {
            ++configured;
            form->cmdConfigure_Click();
            settle();
            form->Timer1->stop();
            saved += form->WorkflowState() == WaitForUnplug;
        }

        ASSERT_GE(form->WorkflowState(), WaitForDevice);
        ASSERT_LE(form->WorkflowState(), NotSuitable);
        ASSERT_EQ(QApplication::activeModalWidget(), nullptr);
        ASSERT_EQ(testing::namesIn(decoy), decoys);
        for (const auto& name : decoys)
            ASSERT_EQ(testing::readAll(decoy / name), "decoy");
        for (const char device : {'E', 'G'}) {
            const auto dir = DeviceDirectory::Open(drive(device).string() + "/", "UPDATES");
            for (const auto& [name, cr] :
                 {std::pair{"QX999000.HEX", false}, {"CR999000.HEX", true}}) {
                const ReadResult file = dir ? dir->Read(name) : ReadResult{};
                ASSERT_TRUE(!file.ok() || testing::IsValidConfigHex(file.content, cr))
                    << device << " " << name;
            }
        }
    }
    std::cout << Ticks << " ticks, " << configured << " presses, " << saved << " saved\n";
    EXPECT_GT(saved, 10);
}

} // namespace
} // namespace velmaron::test
