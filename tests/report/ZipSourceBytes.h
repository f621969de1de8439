// Test support for the tests and the fuzz target of report/: ZipSourceBytes.
#pragma once
#include <zip.h>

#include <optional>
#include <string>

// The bytes of a libzip buffer source that an archive was written into and closed, read out with
// libzip alone; the source is freed. Nothing when the source does not open.
inline std::optional<std::string> TakeZipSourceBytes(zip_source_t* source) {
    std::optional<std::string> bytes;
    if (zip_source_open(source) == 0) {
        bytes.emplace();
        char buf[65536];
        zip_int64_t n;
        while ((n = zip_source_read(source, buf, sizeof buf)) > 0) bytes->append(buf, static_cast<size_t>(n));
        zip_source_close(source);
    }
    zip_source_free(source);
    return bytes;
}
