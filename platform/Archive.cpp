#include "platform/Archive.h"

#include <cstring>

#include "platform/Cp932.h"
#include "platform/PlatformTexts.h"

namespace {

template <typename T>
void AppendLittleEndian(std::string& out, T value) {
    using U = std::make_unsigned_t<T>;
    U u = static_cast<U>(value);
    for (size_t i = 0; i < sizeof(T); ++i) out.push_back(static_cast<char>((u >> (8 * i)) & 0xFF));
}

}  // namespace

CArchive::CArchive() : m_mode(store) {}

CArchive::CArchive(std::string bytes) : m_mode(load), m_buffer(std::move(bytes)) {}

void CArchive::RequireStoring() const {
    if (m_mode != store) throw std::logic_error(platformtext::kWriteOnLoadingArchive);
}

void CArchive::RequireLoading() const {
    if (m_mode != load) throw std::logic_error(platformtext::kReadOnStoringArchive);
}

void CArchive::Need(size_t size) const {
    RequireLoading();
    if (size > Remaining())
        throw CArchiveException(CArchiveException::endOfFile, platformtext::kUnexpectedEndOfFile);
}

void CArchive::WriteInt(int32_t v) { RequireStoring(); AppendLittleEndian(m_buffer, v); }
void CArchive::WriteShort(int16_t v) { RequireStoring(); AppendLittleEndian(m_buffer, v); }
void CArchive::WriteWord(uint16_t v) { RequireStoring(); AppendLittleEndian(m_buffer, v); }
void CArchive::WriteByte(uint8_t v) { RequireStoring(); m_buffer.push_back(static_cast<char>(v)); }

void CArchive::WriteDouble(double v) {
    RequireStoring();
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);  // bit-exact, never through arithmetic
    AppendLittleEndian(m_buffer, bits);
}

void CArchive::WriteBytes(const void* data, size_t size) {
    RequireStoring();
    m_buffer.append(static_cast<const char*>(data), size);
}

void CArchive::WriteRawString(std::string_view bytes) {
    RequireStoring();
    size_t n = bytes.size();
    if (n < 0xFF) {
        WriteByte(static_cast<uint8_t>(n));
    } else if (n < 0xFFFE) {
        WriteByte(0xFF);
        WriteWord(static_cast<uint16_t>(n));
    } else {
        if (n > 0xFFFFFFFFu) throw std::length_error(platformtext::kTextTooLong);
        WriteByte(0xFF);
        WriteWord(0xFFFF);
        AppendLittleEndian(m_buffer, static_cast<uint32_t>(n));
    }
    m_buffer.append(bytes);
}

void CArchive::WriteString(std::string_view utf8) { WriteRawString(vemo::Utf8ToCp932(utf8)); }

void CArchive::ReadBytes(void* data, size_t size) {
    Need(size);
    std::memcpy(data, m_buffer.data() + m_pos, size);
    m_pos += size;
}

namespace {
template <typename T>
T ReadLittleEndian(CArchive& ar) {
    unsigned char b[sizeof(T)];
    ar.ReadBytes(b, sizeof b);
    using U = std::make_unsigned_t<T>;
    U u = 0;
    for (size_t i = 0; i < sizeof(T); ++i) u |= static_cast<U>(static_cast<U>(b[i]) << (8 * i));
    return static_cast<T>(u);
}
}  // namespace

int32_t CArchive::ReadInt() { return ReadLittleEndian<int32_t>(*this); }
int16_t CArchive::ReadShort() { return ReadLittleEndian<int16_t>(*this); }
uint16_t CArchive::ReadWord() { return ReadLittleEndian<uint16_t>(*this); }
uint8_t CArchive::ReadByte() { return ReadLittleEndian<uint8_t>(*this); }

double CArchive::ReadDouble() {
    uint64_t bits = ReadLittleEndian<uint64_t>(*this);
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

std::string CArchive::ReadRawString() {
    size_t n = ReadByte();
    if (n == 0xFF) {
        n = ReadWord();
        if (n == 0xFFFF) n = ReadLittleEndian<uint32_t>(*this);
    }
    if (n > Remaining())
        throw CArchiveException(CArchiveException::badText, platformtext::kTextBeyondEnd);
    std::string s = m_buffer.substr(m_pos, n);
    m_pos += n;
    return s;
}

std::string CArchive::ReadString() { return vemo::Cp932ToUtf8(ReadRawString()); }

int32_t CArchive::ReadCount(size_t minBytesEach) {
    int32_t count = ReadInt();
    if (count < 0)
        throw CArchiveException(CArchiveException::badCount, platformtext::kNegativeCount);
    if (minBytesEach > 0 && static_cast<uint64_t>(count) * minBytesEach > Remaining())
        throw CArchiveException(CArchiveException::badCount, platformtext::kCountBeyondEnd);
    return count;
}
