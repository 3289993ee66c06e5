#include "support/hex_check.h"

#include <vector>

namespace velmaron::testing {
namespace {

int upperHexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    return c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

} // namespace

bool IsValidConfigHex(std::string_view bytes, bool cr) {
    bool ended = false;
    while (!bytes.empty()) {
        const auto end = bytes.find("\r\n");
        if (ended || end == std::string_view::npos)
            return false;
        const std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end + 2);
        if (line.size() < 11 || line[0] != ':' || line.size() % 2 == 0)
            return false;
        std::vector<int> values;
        int sum = 0;
        for (std::size_t i = 1; i < line.size(); i += 2) {
            const int high = upperHexDigit(line[i]);
            const int low = upperHexDigit(line[i + 1]);
            if (high < 0 || low < 0)
                return false;
            values.push_back(high * 16 + low);
            sum += values.back();
        }
        if (values[0] != static_cast<int>(values.size()) - 5 || sum % 256 != 0)
            return false;
        // The end record holds no data; data records are of the device's type.
        if (values[3] == 1 ? values[0] != 0 : values[3] != (cr ? 2 : 0))
            return false;
        ended = values[3] == 1;
    }
    return ended;
}

} // namespace velmaron::testing
