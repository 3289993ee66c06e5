#include "config/config_file_reader.h"

#include "config/hex_record.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <vector>

namespace velmaron {
namespace {

struct Record {
    std::uint8_t type = 0;
    std::uint16_t address = 0;
    std::vector<std::uint8_t> data;
};

constexpr std::uint8_t EndRecordType = 0x01;

// Where the records of each device type go in the settings block, and how much fits there.
struct Field {
    std::size_t offset, minSize, maxSize;
    bool required;
};
constexpr std::array<Field, 4> QxFields = {{
    {SettingsBlock::ConfigByte, 16, 16, true},
    {SettingsBlock::Trep, 1, 16, true},
    {SettingsBlock::ExtraData, 1, SettingsBlock::DateRange - SettingsBlock::ExtraData, false},
    {SettingsBlock::DateRange, 9, 9, false},
}};
constexpr std::array<Field, 2> CrFields = {{
    {SettingsBlock::ConfigByte, 16, 16, true},
    {SettingsBlock::Trep, 16, 16, true},
}};

std::span<const Field> fieldsOf(std::uint8_t recordType) {
    if (recordType == SettingsBlock::QxRecordType)
        return QxFields;
    return CrFields;
}

std::string addressText(std::size_t offset) {
    return HexWord(static_cast<std::uint32_t>(SettingsBlock::Address + offset)).substr(4);
}

// One line as a record, or the reason it is none.
std::optional<Record> parseRecord(std::string_view line, std::string& problem) {
    if (line.empty() || line[0] != ':') {
        problem = "does not begin with ':'";
        return std::nullopt;
    }
    const std::string_view digits = line.substr(1);
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return HexDigitValue(c); })) {
        problem = "holds a character that is not a hex digit";
        return std::nullopt;
    }
    if (digits.size() % 2 != 0 || digits.size() < 10) {
        problem = "is too short or has an odd number of digits";
        return std::nullopt;
    }
    const std::vector<std::uint8_t> bytes = HexToBytes(digits);
    const std::size_t length = bytes[0];
    if (bytes.size() != length + 5) {
        problem = "announces " + std::to_string(length) + " data bytes but holds " +
                  std::to_string(bytes.size() - 5);
        return std::nullopt;
    }
    const std::uint8_t expected = Checksum(std::span(bytes).first(bytes.size() - 1));
    if (bytes.back() != expected) {
        problem = "has the checksum " + HexByte(bytes.back()) + " instead of " + HexByte(expected);
        return std::nullopt;
    }
    Record record;
    record.address = static_cast<std::uint16_t>(bytes[1] << 8 | bytes[2]);
    record.type = bytes[3];
    record.data.assign(bytes.begin() + 4, bytes.end() - 1);
    return record;
}

// The lines of the text, without their ends; a last line end closes the last line.
std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return lines;
}

class Reader {
public:
    ConfigFileRead read(std::string_view text) {
        result_.block.fill(SettingsBlock::Erased);
        if (text.size() > MaxConfigFileSize)
            return fail("the file holds " + std::to_string(text.size()) +
                        " bytes, far more than a configuration");
        const auto lines = linesOf(text);
        for (std::size_t i = 0; i < lines.size() && result_.ok(); ++i)
            takeLine(i + 1, lines[i]);
        if (!result_.ok())
            return result_;
        if (!ended_)
            return fail("the end record " + std::string(EndRecord) + " is missing");
        for (const Field& field : fieldsOf(dataType_.value_or(SettingsBlock::QxRecordType)))
            if (field.required &&
                std::find(seen_.begin(), seen_.end(), field.offset) == seen_.end())
                return fail("the record for address " + addressText(field.offset) + " is missing");
        return checkName();
    }

private:
    ConfigFileRead fail(std::string problem) {
        result_.problem = std::move(problem);
        return result_;
    }

    void takeLine(std::size_t number, std::string_view line) {
        const std::string where = "line " + std::to_string(number) + " ";
        std::string problem;
        const auto record = parseRecord(line, problem);
        if (!record) {
            fail(where + problem);
        } else if (ended_) {
            fail(where + "follows the end record");
        } else if (record->type == EndRecordType) {
            ended_ = true;
            if (!record->data.empty() || record->address != 0)
                fail(where + "is an end record with an address or data");
        } else if (record->type != SettingsBlock::QxRecordType &&
                   record->type != SettingsBlock::CrRecordType) {
            fail(where + "has the record type " + HexByte(record->type) + ", which is not used");
        } else if (dataType_ && *dataType_ != record->type) {
            fail(where + "has the record type " + HexByte(record->type) +
                 " after records of type " + HexByte(*dataType_));
        } else {
            dataType_ = record->type;
            place(where, *record);
        }
    }

    void place(const std::string& where, const Record& record) {
        const std::size_t offset = record.address - std::size_t{SettingsBlock::Address};
        const auto fields = fieldsOf(record.type);
        const auto field = std::find_if(fields.begin(), fields.end(),
                                        [&](const Field& f) { return f.offset == offset; });
        if (field == fields.end())
            return void(fail(where + "writes to the address " + HexWord(record.address).substr(4) +
                             ", where no setting lies"));
        if (record.data.size() < field->minSize || record.data.size() > field->maxSize)
            return void(fail(where + "holds " + std::to_string(record.data.size()) +
                             " data bytes; the field at " + addressText(offset) + " takes " +
                             std::to_string(field->minSize) + " to " +
                             std::to_string(field->maxSize)));
        if (std::find(seen_.begin(), seen_.end(), offset) != seen_.end())
            return void(fail(where + "is a second record for the address " + addressText(offset)));
        seen_.push_back(offset);
        std::copy(record.data.begin(), record.data.end(),
                  result_.block.begin() + static_cast<std::ptrdiff_t>(offset));
    }

    ConfigFileRead checkName() {
        result_.deviceType = *dataType_ == SettingsBlock::QxRecordType ? "QX" : "CR";
        const std::string wanted = ConfigName(result_.deviceType);
        std::string name(result_.block.begin() + SettingsBlock::Name,
                         result_.block.begin() + SettingsBlock::Name + wanted.size());
        if (name != wanted) {
            std::replace_if(
                name.begin(), name.end(), [](char c) { return c < ' ' || c > '~'; }, '?');
            return fail("the settings record names " + name + " instead of " + wanted);
        }
        return result_;
    }

    ConfigFileRead result_;
    std::optional<std::uint8_t> dataType_;
    std::vector<std::size_t> seen_;
    bool ended_ = false;
};

} // namespace

ConfigFileRead ReadConfigFile(std::string_view text) {
    return Reader().read(text);
}

TakeOver TakeOverConfigFile(std::string_view text, std::string_view deviceType,
                            const SettingsBlockBytes& held) {
    using Outcome = TakeOver::Outcome;
    TakeOver result{Outcome::Refused, ReadConfigFile(text), held};
    if (!result.read.ok())
        return result;
    if (result.read.deviceType != deviceType)
        return {Outcome::OtherType, std::move(result.read), held};
    if (result.read.block == held)
        return {Outcome::Unchanged, std::move(result.read), held};
    result.outcome = Outcome::Taken;
    result.block = result.read.block;
    return result;
}

} // namespace velmaron
