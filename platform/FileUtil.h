#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Files and paths. Paths are UTF-8, joined with "/" and compared after normalisation.
namespace vemo {

// Reads a whole file. False (and out untouched) when it cannot be opened or read.
bool ReadFileBytes(const std::string& path, std::string& out, std::string* error = nullptr);

// The largest master or estimate file that is read: far above any real one, and low enough that
// reading it cannot exhaust memory.
inline constexpr size_t kDataFileLimit = size_t{64} << 20;

enum class ReadResult { read, failed, tooLarge };
// Reads a whole file of at most maxBytes. A larger file is refused before anything is read
// (tooLarge); out is untouched unless the result is `read`.
ReadResult ReadFileBytesUpTo(const std::string& path, size_t maxBytes, std::string& out,
                             std::string* error = nullptr);
// Reads the first maxBytes of a file (all of a shorter one). False (and out untouched) when it
// cannot be opened or read.
bool ReadFileHead(const std::string& path, size_t maxBytes, std::string& out, std::string* error = nullptr);

// Saves by replacing: writes a temporary file in the same folder, flushes it to disk and renames it
// over the target. On any failure the target is left as it was, the temporary file is removed and
// false is returned with a reason in error. The new file gets the old file's permission bits,
// read-only mark included, or the usual ones for a new file; the target never loses its mark.
// Temporary files left beside the target by saves that did not finish (a killed program) are
// removed first.
bool WriteFileReplacing(const std::string& path, std::string_view bytes, std::string* error = nullptr);

// The temporary files of WriteFileReplacing are named "." + the target's name + ".save-" + six
// letters or digits, beside the target (".単価データ.daa.save-Xa31Qz").
bool IsReplacingTemporary(std::string_view fileName);
// Removes the temporary files of unfinished saves of one target, or of every file in a folder.
// Returns how many were removed.
int RemoveStaleTemporaries(const std::string& path);
int RemoveStaleTemporariesIn(const std::string& folder);

// The read-only mark: a file with no write bits for anyone. Tested with stat, not access(), since
// root may write whatever the bits say.
bool IsReadOnlyMarked(const std::string& path);
// Sets (no write bits) or clears (owner may write) the mark. False when the file is missing or the
// mode cannot be changed.
bool SetReadOnlyMark(const std::string& path, bool readOnly);

bool FileExists(const std::string& path);    // a regular file
bool FolderExists(const std::string& path);  // a directory

std::string JoinPath(std::string_view folder, std::string_view name);
// Lexically normalised: "." and ".." resolved, doubled separators removed, no trailing separator.
std::string NormalizePath(std::string_view path);
bool SamePath(std::string_view a, std::string_view b);
// The folder that holds the path ("" for a bare name).
std::string ParentFolder(std::string_view path);
// The last element of the path.
std::string FileNameOf(std::string_view path);
// The extension including its dot, "" when none.
std::string ExtensionOf(std::string_view path);

// The folder of the running executable.
std::string ProgramFolder();

}  // namespace vemo
