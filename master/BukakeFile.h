#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "master/MasterFile.h"
#include "master/MasterTexts.h"

// The 歩掛 master ("歩掛データ.soa"): 業務 → 工種 → 種別, each 種別 with one 歩掛 detail that says how
// the item is priced (formula over 変化率・補正率 codes H1..H8, ten 職種 columns into the 単価 master,
// the standard-work-volume lines and the 費目 settings).
//
// Fields are stored in the order of the stream, which is not the order of declaration: a 工種 writes
// its split flag, type and settings before its 種別, a 種別 writes its detail last, and the root
// writes its split flag before its 業務.

inline constexpr char kBukakeFileName[] = "歩掛データ.soa";
// The codes of the 種別 of a 工種.
inline constexpr int32_t kFirstShubetsuCode = 1;
inline constexpr int32_t kLastShubetsuCode = 999;

struct KoshuCodeRange;  // master/KoshuCategory.h

// One line of the standard-work-volume grid of a detail.
class CBukakeDetailLine {
public:
    int32_t m_setting = 1;
    std::string m_name;
    int32_t m_value = 0;
    std::array<int32_t, 10> m_columns;  // value in each of the detail's ten 職種 columns

    CBukakeDetailLine() { m_columns.fill(kUnset); }
    void Serialize(CArchive& ar);
    void Copy(const CBukakeDetailLine& src) { *this = src; }
    bool operator==(const CBukakeDetailLine&) const = default;
};

// One 費目 entry of a detail's 費目 settings.
class CBukakeHimoku {
public:
    std::array<int32_t, 3> m_values;
    std::string m_name;

    CBukakeHimoku() { m_values.fill(kUnset); }
    void Serialize(CArchive& ar);
    void Copy(const CBukakeHimoku& src) { *this = src; }
    bool operator==(const CBukakeHimoku&) const = default;
};

// The 費目 settings of a detail.
class CBukakeHimokuSet {
public:
    int32_t m_setting = kUnset;
    // Choice of each group of the 費目 settings editor: "数量または式について",
    // "Z1 : 任意材料費算出方法の設定", "Z2 : 任意機械経費算出方法の設定" (unset = none).
    std::array<int32_t, 3> m_bases;
    std::array<int32_t, 3> m_rates;  // ×100, in percent, one per group

    CBukakeHimokuSet() {
        m_bases.fill(kUnset);
        m_rates.fill(kUnset);
    }
    void Serialize(CArchive& ar);
    void Copy(const CBukakeHimokuSet& src) { *this = src; }
    bool operator==(const CBukakeHimokuSet&) const = default;

    int GetHimokuCount() const { return m_himoku.GetSize(); }
    CBukakeHimoku* GetHimoku(int index) const { return m_himoku.GetAt(index); }
    int AddHimoku(std::unique_ptr<CBukakeHimoku> p) { return m_himoku.Add(std::move(p)); }
    int InsertHimoku(int index, std::unique_ptr<CBukakeHimoku> p) { return m_himoku.InsertAt(index, std::move(p)); }
    std::unique_ptr<CBukakeHimoku> RemoveHimoku(int index) { return m_himoku.RemoveAt(index); }
    void RemoveAllHimoku() { m_himoku.RemoveAll(); }

private:
    COwningArray<CBukakeHimoku> m_himoku;
};

// How one 種別 is priced.
class CBukakeDetail {
public:
    std::string m_formula = "1";            // 式
    std::array<int32_t, 8> m_henkaritsu;    // H1..H8: 変化率・補正率 record codes
    int32_t m_quantity = 0;                 // 数量 ×100
    std::string m_unit;                     // 単位
    std::array<int32_t, 10> m_shokushu;     // 単価 row ids of the ten 職種 columns
    std::array<int32_t, 3> m_rates;         // ×100 %: 機械経費率, 通信運搬費等率, 材料費率
    int32_t m_settingF4 = kUnset;
    int32_t m_programKingaku = 0;           // 1 = the プログラム金額 check is on
    int32_t m_bukakeType = 0;               // 歩掛データ タイプ
    int32_t m_useAuxiliary = 0;             // 補助式を使用: S1..S8 stand for the auxiliary formulas
    std::array<std::string, 8> m_auxiliary; // S1..S8
    std::string m_textH;
    int32_t m_himokuMode = 1;               // 0 each 費目 on its own, 1 as ratios of the direct labour cost
    int32_t m_zairyoId = kUnset;            // 材料単価 item of kind 5, unset = none

    CBukakeDetail() {
        m_henkaritsu.fill(kUnset);
        m_shokushu.fill(kUnset);
        m_rates.fill(kUnset);
    }
    void Serialize(CArchive& ar);
    void Copy(const CBukakeDetail& src) { *this = src; }
    bool operator==(const CBukakeDetail&) const = default;

    CBukakeHimokuSet& GetHimokuSet() { return m_himokuSet; }
    const CBukakeHimokuSet& GetHimokuSet() const { return m_himokuSet; }

    int GetLineCount() const { return m_lines.GetSize(); }
    CBukakeDetailLine* GetLine(int index) const { return m_lines.GetAt(index); }
    int AddLine(std::unique_ptr<CBukakeDetailLine> p) { return m_lines.Add(std::move(p)); }
    int InsertLine(int index, std::unique_ptr<CBukakeDetailLine> p) { return m_lines.InsertAt(index, std::move(p)); }
    std::unique_ptr<CBukakeDetailLine> SetLine(int index, std::unique_ptr<CBukakeDetailLine> p) {
        return m_lines.SetAt(index, std::move(p));
    }
    std::unique_ptr<CBukakeDetailLine> RemoveLine(int index) { return m_lines.RemoveAt(index); }
    void RemoveAllLines() { m_lines.RemoveAll(); }

    // Sum of one 職種 column (0..9) over all lines, unset values skipped; 0 for another column.
    int64_t GetShokushuTotal(int column) const;
    // Sum of the ten column values of a line, unset values skipped; 0 for an index out of range.
    int64_t GetLineTotal(int index) const;
    // Number of lines with a name.
    int GetNamedLineCount() const;

    // References into the 変化率・補正率 and 単価 masters. An unset code or id is no reference.
    int UsesHenkaritsuCode(int32_t code) const;
    int UsesTankaId(int32_t id) const;
    // Puts the new code into every slot that holds the old one; when the new code is unset, "Hn" of
    // each such slot n is replaced in the formula by "0" (zeroFill) or "1".
    void ReplaceHenkaritsuCode(int32_t oldCode, int32_t newCode, int zeroFill);
    // Puts the new id into every column that holds the old one; when the new id is unset, that column
    // of every line becomes unset too.
    void ReplaceTankaId(int32_t oldId, int32_t newId);

private:
    COwningArray<CBukakeDetailLine> m_lines;
    CBukakeHimokuSet m_himokuSet;
};

// One 種別.
class CBukakeShubetsu {
public:
    int32_t m_code = kUnset;      // 1..999
    std::string m_name;
    int32_t m_userCreated = 0;
    int32_t m_coefficient = kUnset;  // ×100: 精度管理係数 (業務 1, 6) or 技術経費 (other 業務)
    int32_t m_denshiKind = 1;        // 電子成果品作成費種類
    int32_t m_conventional = 0;      // 農水省積算方式種類: 0 new method, 1 従来の積算手法

    void Serialize(CArchive& ar);
    void Copy(const CBukakeShubetsu& src) { *this = src; }
    bool operator==(const CBukakeShubetsu&) const = default;

    CBukakeDetail& GetDetail() { return m_detail; }
    const CBukakeDetail& GetDetail() const { return m_detail; }

private:
    CBukakeDetail m_detail;
};

// One 工種.
class CBukakeKoshu {
public:
    int32_t m_code = kUnset;  // the range says the category (GetCodeCategory)
    std::string m_name;
    int32_t m_userCreated = 0;
    int32_t m_splitFlag = 0;  // 1 = 従来の積算手法
    int32_t m_koshuType = 1;  // 電子成果品作成費種類
    // [0]: sum-group flag (labour summed as one group); [1]: 安全費種類; the rest stored as they are.
    std::array<int32_t, 10> m_settings{};

    void Serialize(CArchive& ar);
    void Copy(const CBukakeKoshu& src) { *this = src; }
    bool operator==(const CBukakeKoshu&) const = default;

    int GetCount() const { return m_shubetsu.GetSize(); }
    CBukakeShubetsu* GetShubetsu(int index) const { return m_shubetsu.GetAt(index); }
    CBukakeShubetsu* FindShubetsu(int32_t code) const { return m_shubetsu.Find(&CBukakeShubetsu::m_code, code); }
    int FindShubetsuIndex(int32_t code) const { return m_shubetsu.FindIndex(&CBukakeShubetsu::m_code, code); }
    int HasShubetsu(int32_t code) const { return FindShubetsuIndex(code) >= 0 ? 1 : 0; }
    int AddShubetsu(std::unique_ptr<CBukakeShubetsu> p) { return m_shubetsu.Add(std::move(p)); }
    int InsertShubetsu(int index, std::unique_ptr<CBukakeShubetsu> p) {
        return m_shubetsu.InsertAt(index, std::move(p));
    }
    std::unique_ptr<CBukakeShubetsu> SetShubetsu(int index, std::unique_ptr<CBukakeShubetsu> p) {
        return m_shubetsu.SetAt(index, std::move(p));
    }
    std::unique_ptr<CBukakeShubetsu> RemoveShubetsu(int index) { return m_shubetsu.RemoveAt(index); }
    void RemoveAllShubetsu() { m_shubetsu.RemoveAll(); }

    // First free 種別 code in 1..999; -1 when all are used.
    int GetNewShubetsuCode() const {
        return m_shubetsu.NewCode(&CBukakeShubetsu::m_code, kFirstShubetsuCode, kLastShubetsuCode);
    }
    // Moves a 種別 within the list; returns to, or -1 (nothing changed) when an index is out of range.
    int MoveShubetsu(int from, int to) { return m_shubetsu.Move(from, to); }

    // Category of a 工種 code: 0 priced, 1 lump labour, 2 and 3 rates, 4 and 5 direct amounts; -1 none.
    static int CodeCategory(int32_t code);
    // Sort group of a category: 0 for 0 and 1, 1 for 2..4, 2 for 5, -1 otherwise.
    static int CategoryGroup(int category);
    int GetCodeCategory() const { return CodeCategory(m_code); }
    int GetCodeGroup() const { return CategoryGroup(GetCodeCategory()); }

private:
    COwningArray<CBukakeShubetsu> m_shubetsu;
};

// One 業務.
class CBukakeGyomu {
public:
    int32_t m_code = kUnset;  // 1..32 are business kinds
    std::string m_name;

    void Serialize(CArchive& ar);
    void Copy(const CBukakeGyomu& src) { *this = src; }
    bool operator==(const CBukakeGyomu&) const = default;

    int GetCount() const { return m_koshu.GetSize(); }
    CBukakeKoshu* GetKoshu(int index) const { return m_koshu.GetAt(index); }
    CBukakeKoshu* FindKoshu(int32_t code) const { return m_koshu.Find(&CBukakeKoshu::m_code, code); }
    int FindKoshuIndex(int32_t code) const { return m_koshu.FindIndex(&CBukakeKoshu::m_code, code); }
    int HasKoshu(int32_t code) const { return FindKoshuIndex(code) >= 0 ? 1 : 0; }
    int AddKoshu(std::unique_ptr<CBukakeKoshu> p) { return m_koshu.Add(std::move(p)); }
    int InsertKoshu(int index, std::unique_ptr<CBukakeKoshu> p) { return m_koshu.InsertAt(index, std::move(p)); }
    std::unique_ptr<CBukakeKoshu> SetKoshu(int index, std::unique_ptr<CBukakeKoshu> p) {
        return m_koshu.SetAt(index, std::move(p));
    }
    std::unique_ptr<CBukakeKoshu> RemoveKoshu(int index) { return m_koshu.RemoveAt(index); }
    void RemoveAllKoshu() { m_koshu.RemoveAll(); }

    // First free code of the category's allocation range in this 業務; -1 when the range is full. A
    // category outside 0..5 tries only the code 0.
    int GetNewKoshuCode(int category) const;
    // The codes GetNewKoshuCode allocates from for the category.
    KoshuCodeRange NewKoshuCodeRange(int category) const;
    // The 工種 code in front of which a new 工種 of the category goes; 0 when this 業務 has none.
    int GetAnchorKoshuCode(int category, int32_t splitFlag) const;
    // Inserts a new 工種 in front of the anchor of its category (in front of the last 工種 when the
    // anchor is missing, at the end when the 業務 has no anchor for it); returns its index.
    int InsertNewKoshu(std::unique_ptr<CBukakeKoshu> p);
    // Moves a 工種 within its sort group; returns to, or -1 when refused (nothing changed).
    int MoveKoshu(int from, int to);

private:
    COwningArray<CBukakeKoshu> m_koshu;
};

inline constexpr MasterFormat kBukakeFormat{
    mastertext::kBukakeSignature, mastertext::kBukakeForeignFile,
    110, 104, &g_bukakeLoadedVersion};

// The root of the 歩掛 master.
class CBukakeFile : public CMasterHeader {
public:
    int32_t m_splitFlag = 0;  // read by the calculation; files before 1.08 get 1

    CBukakeFile() : CMasterHeader(kBukakeFormat) {}
    CBukakeFile(const CBukakeFile&) = default;
    CBukakeFile& operator=(const CBukakeFile&) = default;
    CBukakeFile(CBukakeFile&&) = default;
    CBukakeFile& operator=(CBukakeFile&&) = default;

    // Stores or loads the whole file. ok := 1 on success, 0 on a foreign signature (told to the user).
    // Archive exceptions of a truncated or malformed file pass out.
    void Serialize(CArchive& ar, int* ok);
    // Deep copy; returns the number of 業務.
    int Copy(const CBukakeFile& src) {
        *this = src;
        return GetCount();
    }
    bool operator==(const CBukakeFile&) const = default;
    void RemoveAll() { m_gyomu.RemoveAll(); }

    int GetCount() const { return m_gyomu.GetSize(); }
    CBukakeGyomu* GetGyomu(int index) const { return m_gyomu.GetAt(index); }
    CBukakeGyomu* FindGyomu(int32_t code) const { return m_gyomu.Find(&CBukakeGyomu::m_code, code); }
    int FindGyomuIndex(int32_t code) const { return m_gyomu.FindIndex(&CBukakeGyomu::m_code, code); }
    int HasGyomu(int32_t code) const { return FindGyomuIndex(code) >= 0 ? 1 : 0; }
    int AddGyomu(std::unique_ptr<CBukakeGyomu> p) { return m_gyomu.Add(std::move(p)); }
    int InsertGyomu(int index, std::unique_ptr<CBukakeGyomu> p) { return m_gyomu.InsertAt(index, std::move(p)); }
    std::unique_ptr<CBukakeGyomu> SetGyomu(int index, std::unique_ptr<CBukakeGyomu> p) {
        return m_gyomu.SetAt(index, std::move(p));
    }
    std::unique_ptr<CBukakeGyomu> RemoveGyomu(int index) { return m_gyomu.RemoveAt(index); }

    // Number of 業務 whose code is 32 or less.
    int GetBusinessGyomuCount() const;
    // First free 業務 code in 1..32; -1 when all are used.
    int GetNewGyomuCode() const { return m_gyomu.NewCode(&CBukakeGyomu::m_code, 1, 32); }

    CBukakeKoshu* FindKoshu(int32_t gyomu, int32_t koshu) const;
    CBukakeShubetsu* FindShubetsu(int32_t gyomu, int32_t koshu, int32_t shubetsu) const;

    // Rewrites the references to a 変化率・補正率 code in the details of 業務 gyomu (4 and 5 together
    // when gyomu is 4) after asking the user; 1 when rewritten.
    int ReplaceHenkaritsuCode(int32_t gyomu, int32_t oldCode, int32_t newCode, int zeroFill);
    // Rewrites the references to a 単価 id in every detail after asking the user; 1 when rewritten.
    int ReplaceTankaCode(int32_t oldId, int32_t newId);

private:
    COwningArray<CBukakeGyomu> m_gyomu;
};
