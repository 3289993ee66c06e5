// The drives the Linux drive services find in the kernel's mount table.

#include "device/mount_table.h"

#include <gtest/gtest.h>
#include <ostream>

namespace velmaron {

void PrintTo(const Mount& mount, std::ostream* out) {
    *out << '{' << ::testing::PrintToString(mount.root) << ", " << mount.device
         << (mount.remote ? ", remote}" : "}");
}

namespace {

std::string line(const std::string& device, const std::string& root, const std::string& mountPoint,
                 const std::string& type, const std::string& optional = " shared:1") {
    return "36 25 " + device + " " + root + " " + mountPoint + " rw,relatime" + optional + " - " +
           type + " /dev/sdx rw\n";
}

Mount drive(const std::string& root, const std::string& device, bool remote = false) {
    return {root, device, remote};
}

TEST(ParseMountInfo, FindsTheDrivesAmongTheMounts) {
    const struct {
        const char* name;
        std::string mountinfo;
        std::vector<Mount> drives;
    } cases[] = {
        {"nothing", "", {}},
        {"a volume and the root file system",
         line("8:17", "/", "/media/anna/CARD", "vfat") + line("8:1", "/", "/", "ext4"),
         {drive("/media/anna/CARD/", "8:17"), drive("/", "8:1")}},
        {"blank, tab, newline and backslash escaped",
         line("8:17", "/", "/m/a\\040b\\011c\\012d\\134e", "vfat"),
         {drive("/m/a b\tc\nd\\e/", "8:17")}},
        // past 255, not octal, cut short by the end: kept as written
        {"what only looks like an escape",
         line("8:17", "/", "/m/\\400\\089\\x41\\04", "vfat"),
         {drive("/m/\\400\\089\\x41\\04/", "8:17")}},
        {"a bind mount of a part of a volume",
         line("8:17", "/", "/a", "vfat") + line("8:17", "/sub", "/b", "vfat") +
             line("8:2", "/etc/hosts", "/etc/hosts", "ext4"),
         {drive("/a/", "8:17")}},
        {"pseudo file systems have major 0",
         line("0:20", "/", "/proc", "proc") + line("0:27", "/", "/run", "tmpfs") +
             line("0:45", "/", "/mnt/fuse", "fuse.portal"),
         {}},
        {"network file systems are remote drives, whatever their root",
         line("0:50", "/", "/net/home", "nfs4") + line("0:51", "/sub", "/net/share", "cifs") +
             line("0:52", "/", "/net/ssh", "fuse.sshfs"),
         {drive("/net/home/", "0:50", true), drive("/net/share/", "0:51", true),
          drive("/net/ssh/", "0:52", true)}},
        {"a share mounted twice is two drives",
         line("0:50", "/", "/a", "nfs") + line("0:50", "/", "/b", "nfs"),
         {drive("/a/", "0:50", true), drive("/b/", "0:50", true)}},
        {"a volume mounted twice is one drive, at its first mount point",
         line("8:17", "/", "/a", "vfat") + line("8:1", "/", "/", "ext4") +
             line("8:17", "/", "/b", "vfat"),
         {drive("/a/", "8:17"), drive("/", "8:1")}},
        {"a later mount hides an earlier one and is listed where it was mounted",
         line("8:17", "/", "/x", "vfat") + line("8:33", "/", "/y", "vfat") +
             line("8:49", "/", "/x", "vfat"),
         {drive("/y/", "8:33"), drive("/x/", "8:49")}},
        {"a pseudo file system hides the volume beneath it",
         line("8:17", "/", "/x", "vfat") + line("0:30", "/", "/x", "tmpfs"),
         {}},
        {"a bind mount of a part hides the volume beneath it",
         line("8:17", "/", "/x", "vfat") + line("8:1", "/srv", "/x", "ext4"),
         {}},
        {"a volume whose first mount point is hidden stays at its second",
         line("8:17", "/", "/a", "vfat") + line("8:17", "/", "/b", "vfat") +
             line("0:30", "/", "/a", "tmpfs"),
         {drive("/b/", "8:17")}},
        {"no optional fields, and the last line without its newline",
         "36 25 8:17 / /a rw - vfat /dev/sdb1 rw\n40 25 8:33 / /b rw - vfat /dev/sdc1 rw",
         {drive("/a/", "8:17"), drive("/b/", "8:33")}},
        {"just enough fields: up to the separator and the type",
         "36 25 8:17 / /a rw - vfat",
         {drive("/a/", "8:17")}},
        {"lines that are not mountinfo lines",
         "\n"
         "broken line\n"
         "36 25 8:17 / /few - vfat\n"
         "36 25 8:17 / /no-separator rw shared:1 vfat /dev/sdb1 rw\n"
         "36 25 8:17 / /no-type rw shared:1 -\n"
         "36 - 8:17 / /separator-too-early rw vfat /dev/sdb1 rw\n" +
             line("8:33", "/", "/good", "vfat"),
         {drive("/good/", "8:33")}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseMountInfo(c.mountinfo), c.drives) << c.name;
}

} // namespace
} // namespace velmaron
