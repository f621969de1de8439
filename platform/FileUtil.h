#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/ProcessId.h"

// Files and paths. Paths are UTF-8, joined with "/" and compared after normalisation.
namespace vemo {

// Reads of files a user or an estimate may name, which may be anything. Only a regular file is
// read: it is opened without waiting (a named pipe would wait for a writer), anything else (a
// folder, a named pipe, a device, whose reading might never end) is refused, and no more than a
// limit is read.
enum class ReadResult {
    read,
    missing,     // nothing is there
    unreadable,  // it cannot be opened or read
    notAFile,    // not a regular file
    tooLarge,    // a whole file was asked for and the file is longer than the limit (nothing was read)
};

// The largest master or estimate file that is read: far above any real one, and low enough that
// reading it cannot exhaust memory.
inline constexpr size_t kDataFileLimit = size_t{64} << 20;

// The whole file of at most maxBytes; a longer one is refused before anything is read. out is
// untouched unless the result is `read`. error (when given) receives the reason of any other result,
// to be shown after the message of the file's kind: what failed with the path and the system's
// error text (missing, unreadable), or the platform's text (notAFile, tooLarge).
ReadResult ReadWholeFile(const std::string& path, size_t maxBytes, std::string& out, std::string* error = nullptr);
// The first maxBytes of the file (all of a shorter one); longer (when given) tells whether more
// followed. Never tooLarge; otherwise as ReadWholeFile. With a limit of 0 it only tells whether
// the file opens as a regular file.
ReadResult ReadFileHead(const std::string& path, size_t maxBytes, std::string& out, bool* longer = nullptr,
                        std::string* error = nullptr);
// As ReadWholeFile, for a file the program keeps for itself: a symbolic link there is not followed
// (notAFile).
ReadResult ReadWholeFileNoLink(const std::string& path, size_t maxBytes, std::string& out,
                               std::string* error = nullptr);

// Saves by replacing: writes a temporary file in the same folder, flushes it to disk and renames it
// over the target. On any failure the target is left as it was, the temporary file is removed and
// false is returned with a reason in error. The new file gets the old file's permission bits,
// read-only mark included, or the usual ones for a new file; the target never loses its mark.
// Temporary files of the target that no running program writes any more (see
// RemoveStaleTemporaries) are removed first; another program's save in flight is left alone.
bool WriteFileReplacing(const std::string& path, std::string_view bytes, std::string* error = nullptr);

// Saves as WriteFileReplacing does; where path is a symbolic link, the file it points to (through
// every link on the way) is the one replaced, with its temporary file beside it, and the link stays.
// A link that points nowhere is refused: nothing is created at its end.
bool WriteFileThroughLink(const std::string& path, std::string_view bytes, std::string* error = nullptr);

// What a save of a file the user chose (an estimate, a workbook, a PDF) came to.
enum class SaveResult {
    saved,
    readOnly,  // the file is marked read-only by its owner: it was not replaced
    failed,    // nothing was replaced; the reason is in error
};
// Saves as WriteFileThroughLink does, except that a file its owner marked read-only is left as it is
// (the file a link points to: the mark is read through the link, as the file is written). The
// program's own masters, which it marks itself while it holds them, are saved with the writers above.
SaveResult SaveUserFile(const std::string& path, std::string_view bytes, std::string* error = nullptr);

// The temporary files of WriteFileReplacing name their writer: "." + the target's name + ".save-" +
// the writer's system tag (16 hexadecimal digits) + "." + its pid + "." + its start time + "-" + six
// letters or digits, beside the target (".単価データ.daa.save-1f0e33a27c5d9b08.4711.98321-Xa31Qz").
bool IsReplacingTemporary(std::string_view fileName);
// The name of a temporary file of targetName written by writer, less its six random characters.
std::string ReplacingTemporaryPrefix(std::string_view targetName, const ProcessId& writer);
// How long a temporary file of another machine's program, whose writer cannot be asked, is kept
// untouched before it counts as left over: far longer than any save takes, and longer than any
// difference between the clocks of the machines.
inline constexpr int kForeignTemporaryHours = 24;
// Removes the temporary files of one target, or of every file in a folder, that no running program
// writes: those of this process (it saves from one thread, and not at this moment), those whose
// writer on this machine has ended, and those of another machine untouched for
// kForeignTemporaryHours. Returns how many were removed.
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
// One file under both names: through links, ".." and hard links alike (device and inode); names
// that do not both exist compare as paths.
bool SameFile(const std::string& a, const std::string& b);
// The folder that holds the path ("" for a bare name).
std::string ParentFolder(std::string_view path);
// The last element of the path.
std::string FileNameOf(std::string_view path);
// The extension including its dot, "" when none.
std::string ExtensionOf(std::string_view path);

// The folder of the running executable.
std::string ProgramFolder();

}  // namespace vemo
