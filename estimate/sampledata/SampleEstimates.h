#pragma once
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "estimate/CalcMasters.h"
#include "estimate/VemoWinDocData.h"

// The sample estimates the program ships: one readable text per estimate (the format is described
// at the top of res/sampleestimates/sokuryo.txt), read into the rows the program's selection
// commands would make from the sample masters, priced with those masters and written as ".sei"
// files by the estimate's own save. Every problem of a text is a SampleTextError naming the file
// and line.

// The generated sample masters, read from their binary files, as the calculation environment that
// prices the sample estimates (default settings).
class SampleEstimateMasters : public CalcMasters {};

// Reads the masters that MakeSampleMasters wrote below the folder (データ格納/…). Throws
// std::runtime_error naming the file that is missing or cannot be read.
std::unique_ptr<SampleEstimateMasters> LoadGeneratedSampleMasters(const std::string& dataFolder);

// Where the program that opens the samples keeps its master data: the header of a sample names
// them as a new estimate of that program does (empty folder: the header names none).
struct SampleProgramPaths {
    std::string masterFolder;  // [program]/データ格納/参考マスター25
    std::string zairyoFile;    // [program]/データ格納/材料単価データ25.zoa
};
SampleProgramPaths SampleProgramPathsOf(const std::string& programFolder);

// The rows of one sample estimate text, unpriced. file is the name used in messages.
std::unique_ptr<CVemoWinDocData> ParseSampleEstimate(std::string_view text, const std::string& file,
                                                     const SampleEstimateMasters& masters,
                                                     const SampleProgramPaths& paths);

// Prices the whole estimate once with the masters installed as the calculation environment. The
// texts of the messages the calculation showed are returned (none when every price was found).
std::vector<std::string> PriceSampleEstimate(CVemoWinDocData& doc, SampleEstimateMasters& masters);

// What placing a sample estimate beside a program did.
enum class SamplePlacing { placed, alreadyThere, unreadable, unwritable };

// Makes the header of a sample estimate file name the masters of paths (the program it has been laid
// beside), so that it opens there without the master-data switch notice; the rows stay as they are.
// A file that cannot be read is left as it is.
SamplePlacing PlaceSampleEstimate(const std::string& file, const SampleProgramPaths& paths);

// Folder of the sample estimates beside the program.
inline constexpr char kSampleEstimateFolder[] = "サンプル";
