#include "cli/device_reading.h"

#include "device/version_file.h"

namespace velmaron::cli {

DeviceRead ReadDevice(const std::string& driveRoot) {
    using Status = DeviceRead::Status;
    DeviceRead read;
    const ReadResult file = ReadVersionFile(driveRoot);
    if (file.status == ReadStatus::TooLong)
        return {Status::Broken, {}, 0, std::nullopt, "the status file is far too long"};
    if (!file.ok())
        return {Status::Missing, {}, 0, std::nullopt, "the status file cannot be read"};
    const std::string& text = file.content;
    if (text.size() >= MinVersionFileLength && IsValidHeader(text)) {
        read.deviceType = DeviceTypeOf(text);
        read.softwareVersion = SoftwareVersionOf(text);
    }
    StatusDecode decoded = DecodeStatusFile(text);
    read.settings = std::move(decoded.settings);
    read.problem = std::move(decoded.problem);
    if (read.settings)
        read.status = Status::Ok;
    else if (read.deviceType.empty())
        read.status = Status::Broken;
    else if (ClassOf(read.deviceType) == DeviceClass::Unexpected)
        read.status = Status::UnknownType;
    else if (CheckVersionForm(read.deviceType, read.softwareVersion, text).form ==
             VersionForm::ConfigNotAvailable)
        read.status = Status::NoConfiguration;
    else
        read.status = Status::Broken;
    return read;
}

} // namespace velmaron::cli
