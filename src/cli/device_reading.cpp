#include "cli/device_reading.h"

#include "config/version_file.h"
#include "device/version_file_access.h"

namespace velmaron::cli {

DeviceRead ReadDevice(const std::string& driveRoot) {
    using Status = DeviceRead::Status;
    const ReadResult file = ReadVersionFile(driveRoot);
    if (file.status == ReadStatus::TooLong)
        return {Status::Broken, {}, 0, std::nullopt, "the status file is far too long"};
    if (!file.ok())
        return {Status::Missing, {}, 0, std::nullopt, "the status file cannot be read"};
    StatusDecode decoded = DecodeStatusFile(file.content);
    DeviceRead read{Status::Broken, {}, 0, std::move(decoded.settings), std::move(decoded.problem)};
    switch (decoded.refusal) {
    case StatusRefusal::TooShort:
    case StatusRefusal::BadHeader:
        return read; // nothing of the header can be trusted
    case StatusRefusal::None:
        read.status = Status::Ok;
        break;
    case StatusRefusal::UnknownType:
        read.status = Status::UnknownType;
        break;
    case StatusRefusal::NoConfiguration:
        read.status = Status::NoConfiguration;
        break;
    case StatusRefusal::LengthMismatch:
        break;
    }
    read.deviceType = DeviceTypeOf(file.content);
    read.softwareVersion = SoftwareVersionOf(file.content);
    return read;
}

} // namespace velmaron::cli
