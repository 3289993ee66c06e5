#pragma once
// The operating system's drive services as the device discovery sees them: the list of
// drive roots, the type of a drive and the label of a volume. One backend per platform,
// plus a simulated one that maps drives to folders, for tests and demonstrations.

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace velmaron {

enum class DriveKind { Unknown, NoRootDir, Removable, Fixed, Remote, Cdrom, RamDisk };

class DriveServices {
public:
    virtual ~DriveServices() = default;

    // The drive roots in the system's order; empty when the drives cannot be listed.
    virtual std::vector<std::string> GetDriveList() = 0;

    // The kind of the drive with the given root; NoRootDir for a root that names no drive.
    virtual DriveKind DriveType(const std::string& root) = 0;

    // The volume label of a drive: the empty string for a volume without a label, nullopt
    // when the volume cannot be read. A backend that knows short forms of a root (E or E:
    // on Windows and for the simulated drives) accepts them here.
    virtual std::optional<std::string> VolumeName(const std::string& root) = 0;
};

// The English text of a drive kind; the empty string for a value outside the enumeration.
std::string DriveTypeText(DriveKind kind);

// The backend the program uses: the simulated drives when VELMARON_SIM_DRIVES is set,
// else the platform's own.
std::unique_ptr<DriveServices> MakeDriveServices();

// The platform's own drive services (defined once per platform).
std::unique_ptr<DriveServices> MakePlatformDriveServices();

// Drives simulated by the folders A..Z (either case) inside folder; see
// drive_services_sim.cpp for the layout.
std::unique_ptr<DriveServices> MakeSimulatedDriveServices(const std::string& folder);

} // namespace velmaron
