#pragma once
// The device operations the workflow runs: the poll's scan and the configure command's search,
// reading and deleting the version file, and the writes into UPDATES. One implementation over
// the drive services serves both front ends; the state machine's tests put a fake in its place.

#include "device/device_files.h"
#include "device/device_scan.h"
#include "device/drive_services.h"
#include "device/durable_save.h"

#include <memory>
#include <string>
#include <string_view>

namespace velmaron {

class DevicePort {
public:
    virtual ~DevicePort() = default;

    // Every Velmaron among the drives; the device is the last one.
    virtual ScanResult scan() = 0;
    // The first Velmaron in drive order, and the removable drives up to it.
    virtual ScanResult findFirstDevice() = 0;
    virtual ReadResult readVersionFile(const std::string& root) = 0;
    // False when the file stays.
    virtual bool deleteVersionFile(const std::string& root) = 0;
    virtual bool versionFileExists(const std::string& root) = 0;
    // Every *.hex file in UPDATES, before a configuration is written.
    virtual void removeStaleUpdateFiles(const std::string& root) = 0;
    virtual SaveResult saveUpdateFile(const std::string& root, const std::string& fileName,
                                      std::string_view bytes) = 0;
    // The configuration file the device has taken over.
    virtual void removeConfigFile(const std::string& root) = 0;
};

// The operations on the drives that the drive services show, with the durable save's steps
// (which tests and the command-line tool replace). It keeps what it uses, so that an operation
// still waiting on a drive when its front end has gone finds all of it.
class DrivePort final : public DevicePort {
public:
    DrivePort(std::shared_ptr<DriveServices> drives, std::shared_ptr<const SaveSteps> saveSteps);

    ScanResult scan() override;
    ScanResult findFirstDevice() override;
    ReadResult readVersionFile(const std::string& root) override;
    bool deleteVersionFile(const std::string& root) override;
    bool versionFileExists(const std::string& root) override;
    void removeStaleUpdateFiles(const std::string& root) override;
    SaveResult saveUpdateFile(const std::string& root, const std::string& fileName,
                              std::string_view bytes) override;
    void removeConfigFile(const std::string& root) override;

private:
    std::shared_ptr<DriveServices> drives_;
    std::shared_ptr<const SaveSteps> saveSteps_;
};

} // namespace velmaron
