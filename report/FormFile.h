#pragma once
#include <cstddef>
#include <string>

// Reading the files of the print forms (a form's workbook, its text twin, the lists beside the
// program), which the user may have replaced by anything: only a regular file is read, it is opened
// without blocking (a named pipe or a device would wait for ever), and no more than a limit is read.
enum class FormFileRead {
    read,
    missing,     // nothing is there
    unreadable,  // it cannot be opened or read
    notAFile,    // a folder, a named pipe, a device
    tooLarge,    // whole was asked for and the file is longer than the limit (nothing was read)
};

// With whole, the whole file of at most maxBytes, a longer one refused before anything is read;
// otherwise its first maxBytes, and longer (when given) tells whether more followed. out is untouched
// unless the result is read.
FormFileRead ReadFormFile(const std::string& path, size_t maxBytes, bool whole, std::string& out,
                          bool* longer = nullptr);
