#include "cli/device_reading.h"

#include "config/version_file_decoder.h"

namespace velmaron::cli {

DeviceRead DeviceReadOf(const VersionFileRead& read) {
    using Status = DeviceRead::Status;
    if (read.file == ReadStatus::TooLong)
        return {Status::Broken, {}, 0, std::nullopt, "the status file is far too long"};
    if (!read.readable())
        return {Status::Missing, {}, 0, std::nullopt, "the status file cannot be read"};
    const VersionFileContent& content = read.content;
    DeviceRead device{Status::Broken, {}, 0, content.reported(), content.problem};
    switch (content.refusal) {
    case VersionFileRefusal::TooShort:
    case VersionFileRefusal::BadHeader:
        return device; // nothing of the header can be trusted
    case VersionFileRefusal::None:
        device.status = Status::Ok;
        break;
    case VersionFileRefusal::UnknownType:
        device.status = Status::UnknownType;
        break;
    case VersionFileRefusal::NoConfiguration:
        device.status = Status::NoConfiguration;
        break;
    case VersionFileRefusal::LengthMismatch:
        break;
    }
    device.deviceType = content.settings.deviceType;
    device.softwareVersion = content.headerVersion;
    return device;
}

DeviceRead DeviceReadOf(const ReadResult& file) {
    VersionFileRead read{file.status, {}};
    if (read.readable())
        read.content = DecodeVersionFile(file.content);
    return DeviceReadOf(read);
}

} // namespace velmaron::cli
