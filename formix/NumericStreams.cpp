#include "formix/NumericStreams.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstring>
#include <ios>
#include <type_traits>

namespace formix::streams {

namespace {

// Pieces in which raw data is read, so that memory follows what actually arrives.
constexpr size_t kPieceBytes = 1 << 16;

template <typename T>
void PutLittleEndian(std::ostream& os, T value) {
    using U = std::make_unsigned_t<T>;
    U u = static_cast<U>(value);
    char bytes[sizeof(T)];
    for (size_t i = 0; i < sizeof(T); ++i) {
        bytes[i] = static_cast<char>((u >> (8 * i)) & 0xFF);
    }
    os.write(bytes, sizeof bytes);
}

template <typename T>
bool GetLittleEndian(std::istream& is, T& value) {
    unsigned char bytes[sizeof(T)];
    if (!is.read(reinterpret_cast<char*>(bytes), sizeof bytes)) {
        return false;
    }
    using U = std::make_unsigned_t<T>;
    U u = 0;
    for (size_t i = 0; i < sizeof(T); ++i) {
        u |= static_cast<U>(static_cast<U>(bytes[i]) << (8 * i));
    }
    value = static_cast<T>(u);
    return true;
}

}  // namespace

void Fail(std::istream& is) {
    is.setstate(std::ios_base::failbit);
}

void CheckWritable(std::ostream& os) {
    if (!os) {
        throw std::ios_base::failure("the stream cannot be written");
    }
}

void WriteScientific(std::ostream& os, double value) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 18);
    os.write(buffer, result.ptr - buffer);
}

void WriteInteger(std::ostream& os, long long value) {
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    os.write(buffer, result.ptr - buffer);
}

void WriteTextHeader(std::ostream& os, std::initializer_list<long long> header) {
    os.setf(std::ios_base::scientific, std::ios_base::floatfield);
    os.precision(18);
    CheckWritable(os);
    for (long long value : header) {
        WriteInteger(os, value);
        os << '\n';
        CheckWritable(os);
    }
}

bool ReadToken(std::istream& is, std::string& token) {
    token.clear();
    std::istream::sentry sentry(is);  // skips leading white space
    if (!sentry) {
        return false;
    }
    auto* buf = is.rdbuf();
    for (;;) {
        int c = buf->sgetc();
        if (c == std::char_traits<char>::eof()) {
            is.setstate(std::ios_base::eofbit);
            break;
        }
        if (std::isspace(static_cast<unsigned char>(c))) {
            break;
        }
        token.push_back(static_cast<char>(c));
        buf->sbumpc();
        if (token.size() > 1024) {
            return false;  // no number is this long
        }
    }
    return !token.empty();
}

bool ReadInteger(std::istream& is, int& value) {
    std::string token;
    if (!ReadToken(is, token)) {
        return false;
    }
    const char* first = token.data();
    if (*first == '+') {
        ++first;
    }
    auto result = std::from_chars(first, token.data() + token.size(), value);
    return result.ec == std::errc() && result.ptr == token.data() + token.size();
}

bool ReadNumber(std::istream& is, double& value) {
    std::string token;
    if (!ReadToken(is, token)) {
        return false;
    }
    const char* first = token.data();
    if (*first == '+') {
        ++first;
    }
    auto result = std::from_chars(first, token.data() + token.size(), value);
    return result.ec == std::errc() && result.ptr == token.data() + token.size();
}

bool ReadNumbers(std::istream& is, long long count, std::vector<double>& values) {
    values.clear();
    for (long long i = 0; i < count; ++i) {
        double v;
        if (!ReadNumber(is, v)) {
            return false;
        }
        values.push_back(v);
    }
    return true;
}

void PutInt32(std::ostream& os, int32_t v) { PutLittleEndian(os, v); }
void PutInt16(std::ostream& os, int16_t v) { PutLittleEndian(os, v); }

void PutDoubles(std::ostream& os, const double* values, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        uint64_t bits;
        std::memcpy(&bits, &values[i], sizeof bits);
        PutLittleEndian(os, bits);
    }
}

bool GetInt32(std::istream& is, int32_t& v) { return GetLittleEndian(is, v); }
bool GetInt16(std::istream& is, int16_t& v) { return GetLittleEndian(is, v); }

bool GetBytes(std::istream& is, size_t count, std::string& bytes) {
    bytes.clear();
    while (bytes.size() < count) {
        size_t piece = std::min(kPieceBytes, count - bytes.size());
        size_t old = bytes.size();
        bytes.resize(old + piece);
        if (!is.read(bytes.data() + old, static_cast<std::streamsize>(piece))) {
            return false;
        }
    }
    return true;
}

bool GetDoubles(std::istream& is, size_t count, std::vector<double>& values) {
    values.clear();
    std::string piece;
    while (values.size() < count) {
        size_t n = std::min(kPieceBytes / sizeof(double), count - values.size());
        if (!GetBytes(is, n * sizeof(double), piece)) {
            return false;
        }
        for (size_t i = 0; i < n; ++i) {
            uint64_t bits = 0;
            for (size_t b = 0; b < 8; ++b) {
                bits |= static_cast<uint64_t>(static_cast<unsigned char>(piece[i * 8 + b])) << (8 * b);
            }
            double v;
            std::memcpy(&v, &bits, sizeof v);
            values.push_back(v);
        }
    }
    return true;
}

bool ReadBracketText(std::istream& is, std::string& content) {
    content.clear();
    auto* buf = is.rdbuf();
    if (!is || !buf) {
        return false;
    }
    const int eof = std::char_traits<char>::eof();
    int c;
    while ((c = buf->sbumpc()) != eof && c != '[') {
    }
    if (c == eof) {
        is.setstate(std::ios_base::eofbit);
        return false;
    }
    while ((c = buf->sbumpc()) != eof && c != ']') {
        if (content.size() >= kMaxBracketText) {
            return false;
        }
        content.push_back(static_cast<char>(c));
    }
    if (c == eof) {
        is.setstate(std::ios_base::eofbit);
        return false;
    }
    return true;
}

}  // namespace formix::streams
