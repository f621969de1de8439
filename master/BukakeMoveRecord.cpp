#include "master/BukakeMoveRecord.h"

#include <optional>

#include "master/KoshuCategory.h"
#include "master/MasterTexts.h"
#include "platform/Cp932.h"
#include "platform/FileUtil.h"
#include "platform/NumberText.h"

namespace {

constexpr char kFieldSeparator = '\t';
constexpr char kNoCode[] = "-";
constexpr int kFieldCount = 6;
constexpr char kLineEnd[] = "\r\n";

std::string CodeField(int32_t code) { return IsUnset(code) ? std::string(kNoCode) : vemo::FormatInt(code); }

// A code field: nullopt when it is neither "-" nor a code in 1..last.
std::optional<int32_t> ParseCode(std::string_view field, int32_t last) {
    if (field == kNoCode) return kUnset;
    if (field.empty() || field.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
    std::optional<int32_t> code = vemo::ParseInt(field);
    if (!code || *code < 1 || *code > last) return std::nullopt;
    return code;
}

// Control characters would break the line: a name keeps its place with a blank for each.
std::string OneLine(std::string name) {
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 0x20) c = ' ';
    return name;
}

std::optional<BukakeMoveLine> ParseLine(std::string_view line) {
    std::string_view fields[kFieldCount];
    for (int i = 0; i < kFieldCount - 1; ++i) {
        const size_t tab = line.find(kFieldSeparator);
        if (tab == std::string_view::npos) return std::nullopt;
        fields[i] = line.substr(0, tab);
        line.remove_prefix(tab + 1);
    }
    fields[kFieldCount - 1] = line;  // the name takes the rest of the line
    std::optional<int32_t> codes[kFieldCount - 1];
    codes[0] = ParseCode(fields[0], Gyomu::LastBusiness);
    for (int i = 1; i < kFieldCount - 1; ++i) codes[i] = ParseCode(fields[i], kLastRecordedCode);
    for (const auto& c : codes)
        if (!c) return std::nullopt;
    BukakeMoveLine m{*codes[0], *codes[1], *codes[2], *codes[3], *codes[4], vemo::Cp932ToUtf8(fields[5])};
    if (IsUnset(m.gyomu) || IsUnset(m.oldKoshu)) return std::nullopt;
    // An entry that was not carried has no new codes; a whole 工種 has no 種別 codes; a 種別 keeps its 工種.
    if (!m.Carried()) return IsUnset(m.newShubetsu) ? std::optional(m) : std::nullopt;
    if (!m.IsShubetsu()) return IsUnset(m.newShubetsu) ? std::optional(m) : std::nullopt;
    return m.newKoshu == m.oldKoshu && !IsUnset(m.newShubetsu) ? std::optional(m) : std::nullopt;
}

}  // namespace

std::string MoveRecordPath(const std::string& masterFolder) {
    return vemo::JoinPath(masterFolder, kMoveRecordFileName);
}

std::string MoveRecordBytes(const std::vector<BukakeMoveLine>& moves) {
    std::string text = std::string(mastertext::kMoveRecordHeader) + kLineEnd;
    for (const BukakeMoveLine& m : moves) {
        for (int32_t code : {m.gyomu, m.oldKoshu, m.oldShubetsu, m.newKoshu, m.newShubetsu})
            text += CodeField(code) + kFieldSeparator;
        text += OneLine(m.name) + kLineEnd;
    }
    return vemo::Utf8ToCp932(text);
}

std::vector<BukakeMoveLine> ParseMoveRecord(std::string_view bytes) {
    std::vector<BukakeMoveLine> moves;
    bool header = true;
    while (!bytes.empty()) {
        const size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (header) {
            if (vemo::Cp932ToUtf8(line) != mastertext::kMoveRecordHeader) return {};
            header = false;
        } else if (std::optional<BukakeMoveLine> m = ParseLine(line)) {
            moves.push_back(std::move(*m));
        }
    }
    return moves;
}

std::vector<BukakeMoveLine> ReadMoveRecord(const std::string& masterFolder) {
    std::string bytes;
    if (vemo::ReadWholeFileNoLink(MoveRecordPath(masterFolder), kMoveRecordLimit, bytes) != vemo::ReadResult::read)
        return {};
    return ParseMoveRecord(bytes);
}

bool AppendMoveRecord(const std::string& masterFolder, const std::vector<BukakeMoveLine>& moves, std::string* error) {
    std::vector<BukakeMoveLine> all = ReadMoveRecord(masterFolder);
    all.insert(all.end(), moves.begin(), moves.end());
    return vemo::WriteFileReplacing(MoveRecordPath(masterFolder), MoveRecordBytes(all), error);
}
