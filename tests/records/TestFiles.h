#pragma once

// Temporary data directories and raw file access for the record tests.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include <sys/inotify.h>
#include <unistd.h>

namespace vitalog::test {

using Bytes = std::vector<std::uint8_t>;

// A fresh directory under the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir() {
        std::random_device rd;
        const auto base = std::filesystem::temp_directory_path();
        for (;;) {
            path_ = base / ("vitalog-records-" + std::to_string(rd()) + std::to_string(rd()));
            if (std::filesystem::create_directory(path_))
                break;
        }
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(path_))
            names.push_back(e.path().filename().string());
        return names;
    }

private:
    std::filesystem::path path_;
};

inline Bytes ReadFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::filesystem::path& file, const Bytes& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

template <class T> T At(const Bytes& bytes, std::size_t offset) {
    T value{};
    EXPECT_LE(offset + sizeof value, bytes.size()) << "read past the file at " << offset;
    if (offset + sizeof value <= bytes.size())
        std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

template <class T> void PutAt(Bytes& bytes, std::size_t offset, T value) {
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

inline std::string TextAt(const Bytes& bytes, std::size_t offset, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(bytes.data() + offset), size);
}

// Sees whether anything opened a file for writing or changed it, through inotify (root
// ignores file permissions, so a read-only file would prove nothing).
class WriteWatch {
public:
    explicit WriteWatch(const std::filesystem::path& file)
        : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        EXPECT_GE(fd_, 0);
        EXPECT_GE(inotify_add_watch(fd_, file.c_str(), IN_MODIFY | IN_CLOSE_WRITE | IN_ATTRIB), 0);
    }
    ~WriteWatch() { close(fd_); }
    WriteWatch(const WriteWatch&) = delete;
    WriteWatch& operator=(const WriteWatch&) = delete;

    // True if the file was written to or closed after being opened for writing.
    bool SawWrite() {
        alignas(inotify_event) char buffer[4096];
        bool seen = false;
        for (;;) {
            const ssize_t n = read(fd_, buffer, sizeof buffer);
            if (n <= 0)
                break;
            for (ssize_t i = 0; i < n;) {
                const auto* e = reinterpret_cast<const inotify_event*>(buffer + i);
                if (e->mask & (IN_MODIFY | IN_CLOSE_WRITE | IN_ATTRIB))
                    seen = true;
                i += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
            }
        }
        return seen;
    }

private:
    int fd_;
};

} // namespace vitalog::test
