#pragma once
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
