// Test support for the tests of support/: TempFolder.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return m_path; }
    // Path of a name inside the folder.
    std::string operator/(const std::string& name) const;

private:
    std::string m_path;
};

// Writes bytes to a file (creating folders on the way); fails the test when it cannot.
void WriteTestFile(const std::string& path, const std::string& bytes);
// The bytes of a file; fails the test when it cannot be read.
std::string ReadTestFile(const std::string& path);
// Writes head and extends the file with a hole to size bytes: a large file that takes no room.
void WriteSparseTestFile(const std::string& path, const std::string& head, uint64_t size);
// What is on disk at a path and, for a folder, under it: each entry (links not followed) with its
// mode and size, and for a regular file below 1 MB its bytes; "nothing" when there is nothing. Two
// snapshots tell whether anything there changed.
std::map<std::string, std::string> SnapshotOf(const std::string& path);
// The bytes this process has read so far through read calls (the kernel's count), to tell a
// bounded read from a whole one; nullopt when the system does not count them.
std::optional<uint64_t> BytesReadByProcess();

// Makes a named pipe at path and runs read while it is there; true when read returned without a writer
// ever opening the pipe. A read that waits for one is let go after 30 seconds (the pipe is opened for
// writing and closed) and gives false.
bool ReturnsWithoutAWriter(const std::string& path, const std::function<void()>& read);
