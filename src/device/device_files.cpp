#include "device/device_files.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

namespace velmaron {
namespace fs = std::filesystem;

namespace {

// FAT compares names without regard to case; ASCII folding is all the device's own
// names need, and other characters then have to match exactly.
template <class Char> Char foldAscii(Char c) {
    return (c >= Char('a') && c <= Char('z')) ? Char(c - Char('a') + Char('A')) : c;
}

template <class String> bool sameIgnoringAsciiCase(const String& a, const String& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](auto x, auto y) {
               return foldAscii(x) == foldAscii(y);
           });
}

// The path's components; empty components (doubled or trailing separators) drop out.
// nullopt when a component would step out of or stay at its directory ("." or "..").
std::optional<std::vector<std::string>> splitRelative(std::string_view relative) {
    std::vector<std::string> parts;
    std::string current;
    auto finish = [&]() -> bool {
        if (current == "." || current == "..")
            return false;
        if (!current.empty())
            parts.push_back(current);
        current.clear();
        return true;
    };
    for (char c : relative) {
        if (c == '\\' || c == '/') {
            if (!finish())
                return std::nullopt;
        } else {
            current += c;
        }
    }
    if (!finish())
        return std::nullopt;
    return parts;
}

// The entry of dir whose name matches name in any case: the exact match if there is one,
// else the first in name order. The returned path is built from the listed name, never
// from the caller's text.
std::optional<fs::path> findEntry(const fs::path& dir, const std::string& name) {
    const fs::path wanted(name);
    std::optional<fs::path> best;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path listed = it->path().filename();
        if (listed.native() == wanted.native())
            return it->path();
        if (sameIgnoringAsciiCase(listed.native(), wanted.native()) &&
            (!best || listed.native() < best->filename().native()))
            best = it->path();
    }
    if (ec)
        return std::nullopt;
    return best;
}

bool isKind(const fs::file_status& status, EntryKind kind) {
    return kind == EntryKind::File ? fs::is_regular_file(status) : fs::is_directory(status);
}

// Whether inner lies inside (or is) outer once every link and mount trick is resolved;
// the last line of defence on systems where a link may not show as one.
bool liesBelow(const fs::path& inner, const fs::path& outer) {
    std::error_code ec;
    const fs::path realInner = fs::canonical(inner, ec);
    if (ec)
        return false;
    const fs::path realOuter = fs::canonical(outer, ec);
    if (ec)
        return false;
    auto innerIt = realInner.begin();
    for (auto outerIt = realOuter.begin(); outerIt != realOuter.end(); ++outerIt, ++innerIt) {
        if (outerIt->empty() && std::next(outerIt) == realOuter.end())
            break; // a trailing separator on the root
        if (innerIt == realInner.end() || *innerIt != *outerIt)
            return false;
    }
    return true;
}

std::optional<fs::path> findOnDeviceUnguarded(const std::string& driveRoot,
                                              std::string_view relative, EntryKind kind) {
    const auto parts = splitRelative(relative);
    if (!parts)
        return std::nullopt;
    const fs::path root(driveRoot);
    std::error_code ec;
    if (!fs::is_directory(root, ec))
        return std::nullopt;
    fs::path current = root;
    for (std::size_t i = 0; i < parts->size(); ++i) {
        const auto entry = findEntry(current, (*parts)[i]);
        if (!entry)
            return std::nullopt;
        const fs::file_status status = fs::symlink_status(*entry, ec);
        if (ec || fs::is_symlink(status))
            return std::nullopt;
        const bool last = i + 1 == parts->size();
        if (!isKind(status, last ? kind : EntryKind::Directory))
            return std::nullopt;
        current = *entry;
    }
    if (parts->empty() && kind != EntryKind::Directory)
        return std::nullopt;
    if (!liesBelow(current, root))
        return std::nullopt;
    return current;
}

} // namespace

std::optional<fs::path> FindOnDevice(const std::string& driveRoot, std::string_view relative,
                                     EntryKind kind) {
    // Name conversions can throw on Windows for names outside the code page; such a name
    // is simply not found.
    try {
        return findOnDeviceUnguarded(driveRoot, relative, kind);
    } catch (...) {
        return std::nullopt;
    }
}

std::optional<std::string> ReadDeviceFile(const std::string& driveRoot, std::string_view relative) {
    try {
        const auto path = FindOnDevice(driveRoot, relative, EntryKind::File);
        if (!path)
            return std::nullopt;
        return ReadWholeFile(*path);
    } catch (...) {
        return std::nullopt;
    }
}

std::optional<std::string> ReadWholeFile(const fs::path& path) {
    try {
        std::ifstream in(path, std::ios::binary);
        if (!in)
            return std::nullopt;
        std::ostringstream content;
        content << in.rdbuf();
        if (in.bad())
            return std::nullopt;
        return std::move(content).str();
    } catch (...) {
        return std::nullopt;
    }
}

std::vector<fs::path> ListDeviceFiles(const std::string& driveRoot, std::string_view relativeDir) {
    try {
        const auto dir = FindOnDevice(driveRoot, relativeDir, EntryKind::Directory);
        if (!dir)
            return {};
        std::vector<fs::path> files;
        std::error_code ec;
        for (fs::directory_iterator it(*dir, ec), end; !ec && it != end; it.increment(ec)) {
            std::error_code statusError;
            if (fs::is_regular_file(fs::symlink_status(it->path(), statusError)))
                files.push_back(it->path());
        }
        std::sort(files.begin(), files.end(),
                  [](const fs::path& a, const fs::path& b) { return a.filename() < b.filename(); });
        return files;
    } catch (...) {
        return {};
    }
}

} // namespace velmaron
