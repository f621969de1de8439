#pragma once

// Helpers shared by the stream forms of the vector and matrix classes: numbers written and read in
// the C locale whatever the stream's locale, raw little-endian records read in bounded pieces (so a
// hostile size allocates no more than the stream really holds), and the bracket reader.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace formix::streams {

// Throws std::ios_base::failure when the stream is in a failed state.
void CheckWritable(std::ostream& os);
// Scientific notation with 18 digits after the point, as "%.18e" prints it.
void WriteScientific(std::ostream& os, double value);
void WriteInteger(std::ostream& os, long long value);
// The text forms: the stream set to scientific notation with precision 18, then each header number
// followed by "\n"; the stream is checked before and after each item (std::ios_base::failure).
void WriteTextHeader(std::ostream& os, std::initializer_list<long long> header);
// Each value in scientific notation followed by `separator`, checking the stream after each.
template <typename T>
void WriteTextValues(std::ostream& os, const T* values, size_t count, char separator) {
    for (size_t i = 0; i < count; ++i) {
        WriteScientific(os, static_cast<double>(values[i]));
        os << separator;
        CheckWritable(os);
    }
}

// Next blank-separated token; false at the end of the stream.
bool ReadToken(std::istream& is, std::string& token);
bool ReadInteger(std::istream& is, int& value);
bool ReadNumber(std::istream& is, double& value);
// Reads `count` numbers, growing the result only as numbers arrive.
bool ReadNumbers(std::istream& is, long long count, std::vector<double>& values);

void PutInt32(std::ostream& os, int32_t v);
void PutInt16(std::ostream& os, int16_t v);
void PutDoubles(std::ostream& os, const double* values, size_t count);
bool GetInt32(std::istream& is, int32_t& v);
bool GetInt16(std::istream& is, int16_t& v);
// `count` bytes or doubles, read in pieces; false when the stream ends first.
bool GetBytes(std::istream& is, size_t count, std::string& bytes);
bool GetDoubles(std::istream& is, size_t count, std::vector<double>& values);

// Skips to the first '[' and returns the text up to the next ']' (both brackets consumed). False
// when either bracket is missing or the text exceeds kMaxBracketText characters.
constexpr size_t kMaxBracketText = 1 << 20;
bool ReadBracketText(std::istream& is, std::string& content);

// Marks a failed read.
void Fail(std::istream& is);

}  // namespace formix::streams
