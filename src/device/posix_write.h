#pragma once
// Writing a whole buffer to a POSIX descriptor, with the write call replaceable so that tests
// can make it misbehave.

#include <string_view>
#include <sys/types.h>

namespace velmaron {

using WriteCall = ssize_t (*)(int fd, const void* data, size_t count);

// Writes every byte, going on after partial writes and interrupted calls. 0 on success, else
// the reason as an errno value (a write that takes nothing counts as a full medium).
int WriteAll(int fd, std::string_view bytes, WriteCall write);

} // namespace velmaron
