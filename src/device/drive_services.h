#pragma once
// The operating system's drive services as the device discovery sees them: the list of
// drive roots, the type of a drive and the label of a volume. One backend per platform,
// plus a simulated one that maps drives to folders, for tests and demonstrations.

#include <memory>
#include <string>
#include <string_view>

namespace velmaron {

// The drive type codes, as Windows numbers them.
enum DriveTypeCode : int {
    kDriveUnknown = 0,
    kDriveNoRootDir = 1,
    kDriveRemovable = 2,
    kDriveFixed = 3,
    kDriveRemote = 4,
    kDriveCdrom = 5,
    kDriveRamDisk = 6,
};

// The label of a volume that cannot be read (no medium, drive gone): nine characters and
// three blanks.
inline constexpr std::string_view kNoVolumeName = "(No name)   ";

class DriveServices {
public:
    virtual ~DriveServices() = default;

    // The drive roots in the system's order, each followed by a NUL, with one more NUL
    // after the last; the empty string when the drives cannot be listed.
    virtual std::string GetDriveList() = 0;

    // The type code 0..6 of the drive with the given root.
    virtual int DriveType(const std::string& root) = 0;

    // The volume label of a drive; the empty string for a volume without a label and
    // kNoVolumeName when the volume cannot be read. Completes a short form of the drive
    // (E or E: on Windows) to its root and stores that back into drive.
    virtual std::string VolumeName(std::string& drive) = 0;
};

// The English text of a drive type code; the empty string for codes outside 0..6.
std::string DriveTypeText(int typeCode);

// The backend the program uses: the simulated drives when VELMARON_SIM_DRIVES is set,
// else the platform's own.
std::unique_ptr<DriveServices> MakeDriveServices();

// The platform's own drive services (defined once per platform).
std::unique_ptr<DriveServices> MakePlatformDriveServices();

// Drives simulated by the folders A..Z (either case) inside folder; see
// drive_services_sim.cpp for the layout.
std::unique_ptr<DriveServices> MakeSimulatedDriveServices(const std::string& folder);

} // namespace velmaron
