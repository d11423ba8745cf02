#pragma once
// The current input as a file, for readers that take a path. The file lives
// in memory (memfd) and is reached through /proc, so rewriting it for every
// input costs no disk flush (rewriting a real file on ext4 forces one per
// input and slows the fuzzer a hundredfold).

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

// The path of the file now holding data; "" when it cannot be written.
inline const std::string& FuzzInputFile(const std::uint8_t* data, std::size_t size) {
    static const int fd = memfd_create("fuzz-input", MFD_CLOEXEC);
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    static const std::string none;
    if (fd < 0 || ftruncate(fd, 0) != 0 ||
        (size > 0 && pwrite(fd, data, size, 0) != static_cast<ssize_t>(size))) {
        return none;
    }
    return path;
}
