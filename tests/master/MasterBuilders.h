// Test support for the tests of master/: MasterBuilders.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <string>

#include "master/BukakeFile.h"
#include "master/HenkaritsuFile.h"
#include "master/HyoshiData.h"
#include "master/ProgramKingakuFile.h"
#include "master/ShokeihiFile.h"
#include "master/TankaFile.h"
#include "master/ZairyoTankaFile.h"

// Builders for making masters in code, shared by the tests of every folder. Each Add… appends a new
// element with the constructor's defaults and the given fields and returns it for further setting.
namespace masterbuild {

// 歩掛
CBukakeGyomu& AddGyomu(CBukakeFile& file, int32_t code, const std::string& name = "");
CBukakeKoshu& AddKoshu(CBukakeGyomu& gyomu, int32_t code, const std::string& name = "", int32_t splitFlag = 0);
CBukakeShubetsu& AddShubetsu(CBukakeKoshu& koshu, int32_t code, const std::string& name = "");
// A line with the given values in the first columns (the rest stay unset).
CBukakeDetailLine& AddLine(CBukakeDetail& detail, const std::string& name, std::initializer_list<int32_t> columns,
                           int32_t value = 0);
CBukakeHimoku& AddHimoku(CBukakeDetail& detail, const std::string& name, int32_t a, int32_t b, int32_t c);

// 変化率・補正率
CHenkaritsuGyomu& AddGroup(CHenkaritsuFile& file, int32_t code, const std::string& name = "");
// A table record (mode 0) with all cells unset.
CHenkaritsuRecord& AddTableRecord(CHenkaritsuGyomu& group, int32_t code, const std::string& name = "");
// A formula record (mode 1).
CHenkaritsuRecord& AddFormulaRecord(CHenkaritsuGyomu& group, int32_t code, const std::string& formula,
                                    int32_t llDefault = kUnset, const std::string& name = "");

// 単価: prices given from column 0 on, the rest unset.
CTankaRow& AddTankaRow(CTankaFile& file, int32_t id, const std::string& name, std::initializer_list<int32_t> prices);

// 材料単価
CZairyoTankaItem& AddZairyoItem(CZairyoTankaFile& file, int32_t id, int32_t kind, const std::string& name,
                                double price);

// 諸経費 and プログラム金額
CShokeihiRecord& AddShokeihi(CShokeihiFile& file, int32_t gyomu, const std::string& name, int32_t rate);
CProgramKingakuRecord& AddProgram(CProgramKingakuFile& file, int32_t code, const std::string& name, int32_t fee);

// Masters with every field set to a value other than its default (texts in Japanese, one text longer
// than 255 bytes, negative and unset numbers), for round trips.
CBukakeFile SampleBukakeFile();
CHenkaritsuFile SampleHenkaritsuFile();
CTankaFile SampleTankaFile();
CZairyoTankaFile SampleZairyoTankaFile();
CShokeihiFile SampleShokeihiFile();
CProgramKingakuFile SampleProgramKingakuFile();
CHyoshiData SampleHyoshiData();

// A root loaded from bytes; ok receives the flag. Archive exceptions pass out.
template <class Root>
Root LoadRoot(const std::string& bytes, int* ok = nullptr) {
    Root root;
    CArchive ar(bytes);
    int flag = -1;
    root.Serialize(ar, &flag);
    if (ok) *ok = flag;
    return root;
}

}  // namespace masterbuild
