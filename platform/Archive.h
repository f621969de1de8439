#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// Binary archive of the master and estimate files: little-endian values, no alignment, no tags.
// Texts carry a length prefix counted in CP932 bytes: one byte below 255; 0xFF and a 16-bit
// length below 0xFFFE; otherwise 0xFF, 0xFFFF and a 32-bit length.
//
// A storing archive collects bytes in memory (the caller writes them out with a replacing save);
// a loading archive reads from a complete copy of the file and checks every read against the bytes
// that remain, throwing CArchiveException instead of reading past the end or allocating more than
// the file could hold.

class CArchiveException : public std::runtime_error {
public:
    enum Cause { endOfFile, badCount, badText, badSchema };
    CArchiveException(Cause cause, const std::string& what) : std::runtime_error(what), m_cause(cause) {}
    Cause m_cause;
};

class CArchive {
public:
    enum Mode { store, load };

    // A storing archive.
    CArchive();
    // A loading archive over a copy of the bytes.
    explicit CArchive(std::string bytes);

    bool IsStoring() const { return m_mode == store; }
    bool IsLoading() const { return m_mode == load; }

    // Storing.
    void WriteInt(int32_t v);
    void WriteShort(int16_t v);
    void WriteWord(uint16_t v);
    void WriteByte(uint8_t v);
    void WriteDouble(double v);
    void WriteString(std::string_view utf8);      // converted to CP932
    void WriteRawString(std::string_view bytes);  // bytes written as they are
    void WriteBytes(const void* data, size_t size);

    CArchive& operator<<(int32_t v) { WriteInt(v); return *this; }
    CArchive& operator<<(int16_t v) { WriteShort(v); return *this; }
    CArchive& operator<<(uint16_t v) { WriteWord(v); return *this; }
    CArchive& operator<<(uint8_t v) { WriteByte(v); return *this; }
    CArchive& operator<<(double v) { WriteDouble(v); return *this; }
    CArchive& operator<<(const std::string& s) { WriteString(s); return *this; }

    // Loading.
    int32_t ReadInt();
    int16_t ReadShort();
    uint16_t ReadWord();
    uint8_t ReadByte();
    double ReadDouble();
    std::string ReadString();     // CP932 in the file, UTF-8 returned
    std::string ReadRawString();  // the text's bytes as stored
    void ReadBytes(void* data, size_t size);
    // A list count: refused when negative or when count × minBytesEach exceeds what remains.
    int32_t ReadCount(size_t minBytesEach);

    CArchive& operator>>(int32_t& v) { v = ReadInt(); return *this; }
    CArchive& operator>>(int16_t& v) { v = ReadShort(); return *this; }
    CArchive& operator>>(uint16_t& v) { v = ReadWord(); return *this; }
    CArchive& operator>>(uint8_t& v) { v = ReadByte(); return *this; }
    CArchive& operator>>(double& v) { v = ReadDouble(); return *this; }
    CArchive& operator>>(std::string& s) { s = ReadString(); return *this; }

    size_t Position() const { return m_pos; }
    size_t Remaining() const { return m_buffer.size() - m_pos; }

    // The bytes stored so far (storing) or the whole input (loading).
    const std::string& Buffer() const { return m_buffer; }

    // Smallest number of bytes a stored text can take (its one-byte prefix).
    static constexpr size_t kMinTextBytes = 1;

private:
    void Need(size_t size) const;
    void RequireStoring() const;
    void RequireLoading() const;

    Mode m_mode;
    std::string m_buffer;
    size_t m_pos = 0;
};
