#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Constants.h"

// The record of the user 工種 and 種別 that the 歩掛 updates gave other codes or could not carry,
// kept in the master-data folder beside the 歩掛 master. Estimates name 歩掛 entries by their codes
// only: with the record, the rows of an estimate made before an update find the entry they meant.
//
// The file is CP932 text, every line ending in CR LF. The first line is the header
// (mastertext::kMoveRecordHeader); every other line is one move, six fields separated by tabs:
//   業務 code, former 工種 code, former 種別 code, new 工種 code, new 種別 code, name
// "-" stands for no code: the former 種別 code of a whole 工種, both new codes of an entry that could
// not be carried. The name is the 工種's for a whole 工種, else the 種別's. Moves follow each other in
// the order they were made, over every update since the record began:
//   2	150	-	350	-	利用者工種
//   1	1	2	1	3	利用者基準点
//   3	5	7	-	-	消える種別
inline constexpr char kMoveRecordFileName[] = "歩掛コード変更記録.txt";
// A record longer than this is not one the program wrote: it is not read.
inline constexpr size_t kMoveRecordLimit = size_t{1} << 20;
// 工種 and 種別 codes have three digits at most.
inline constexpr int32_t kLastRecordedCode = 999;

// One move of the record.
struct BukakeMoveLine {
    int32_t gyomu = kUnset;
    int32_t oldKoshu = kUnset;
    int32_t oldShubetsu = kUnset;  // kUnset: a whole 工種 moved
    int32_t newKoshu = kUnset;     // kUnset, with newShubetsu: the entry could not be carried
    int32_t newShubetsu = kUnset;  // kUnset for a whole 工種
    std::string name;

    bool IsShubetsu() const { return !IsUnset(oldShubetsu); }
    bool Carried() const { return !IsUnset(newKoshu); }
    bool operator==(const BukakeMoveLine&) const = default;
};

// [master folder]/歩掛コード変更記録.txt
std::string MoveRecordPath(const std::string& masterFolder);

// The file's bytes for the moves, and the moves of a file's bytes: none when the header is missing;
// a line that is not a move (wrong number of fields, a code out of range, codes that do not fit
// together) is passed over.
std::string MoveRecordBytes(const std::vector<BukakeMoveLine>& moves);
std::vector<BukakeMoveLine> ParseMoveRecord(std::string_view bytes);

// The moves recorded in the master folder, oldest first. None when there is no record, or when what
// is there is no record of this program: a link (not followed), a folder or device, a file over the
// limit or without the header.
std::vector<BukakeMoveLine> ReadMoveRecord(const std::string& masterFolder);

// Adds the moves after those recorded in the folder (a file there that is no record is replaced) and
// writes the record by replacing. false, with the reason in error, when it could not be written:
// the record is then as it was.
bool AppendMoveRecord(const std::string& masterFolder, const std::vector<BukakeMoveLine>& moves,
                      std::string* error = nullptr);
