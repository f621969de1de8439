#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace formix {

// The numeric classes' binary archive. Same byte layout as the program's file archive (little-endian
// 32- and 16-bit integers, IEEE doubles and floats copied bit for bit, texts with a length prefix of
// one byte below 255, else 0xFF and a 16-bit length below 0xFFFE, else 0xFF, 0xFFFF and a 32-bit
// length), kept inside the library so that Formix links nothing of the program. Texts are bytes.
//
// A storing archive collects the bytes in memory; a loading archive reads a copy of them and checks
// every read against the bytes that remain, throwing CArchiveException instead of reading past the end.

class CArchiveException : public std::runtime_error {
public:
    enum Cause { endOfFile, badCount, badText };
    CArchiveException(Cause cause, const std::string& what) : std::runtime_error(what), m_cause(cause) {}
    Cause m_cause;
};

class CArchive {
public:
    // A storing archive.
    CArchive();
    // A loading archive over a copy of the bytes.
    explicit CArchive(std::string bytes);

    bool IsStoring() const { return m_storing; }
    bool IsLoading() const { return !m_storing; }

    void WriteInt(int32_t v);
    void WriteShort(int16_t v);
    void WriteWord(uint16_t v);
    void WriteByte(uint8_t v);
    void WriteDouble(double v);
    void WriteFloat(float v);
    void WriteString(std::string_view bytes);
    void WriteBytes(const void* data, size_t size);

    int32_t ReadInt();
    int16_t ReadShort();
    uint16_t ReadWord();
    uint8_t ReadByte();
    double ReadDouble();
    float ReadFloat();
    std::string ReadString();
    void ReadBytes(void* data, size_t size);
    // A count that must be 0 or more and leave room for count × bytesEach further bytes.
    int32_t ReadCount(size_t bytesEach);
    // Throws unless `size` bytes remain.
    void Need(size_t size) const;

    size_t Position() const { return m_pos; }
    size_t Remaining() const { return m_buffer.size() - m_pos; }
    // The bytes stored so far (storing) or the whole input (loading).
    const std::string& Buffer() const { return m_buffer; }

private:
    void RequireStoring() const;

    bool m_storing;
    std::string m_buffer;
    size_t m_pos = 0;
};

}  // namespace formix
