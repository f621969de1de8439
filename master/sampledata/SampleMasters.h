#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "master/BukakeFile.h"
#include "master/HenkaritsuFile.h"
#include "master/HyoshiData.h"
#include "master/ProgramKingakuFile.h"
#include "master/ShokeihiFile.h"
#include "master/TankaFile.h"
#include "master/ZairyoTankaFile.h"
#include "master/sampledata/SampleText.h"

// The sample master data the program ships: readable text sources (one file per master, see the
// comments at the top of each) read into the master models and written as the binary master files.
// Every malformed value, unknown key, missing required key, formula the formula check refuses and
// reference to a record that does not exist is a SampleTextError naming the file and line.

// Names of the text sources in the source folder.
inline constexpr char kSampleBukakeSource[] = "bukake.txt";
inline constexpr char kSampleHenkaritsuSource[] = "henkaritsu.txt";
inline constexpr char kSampleTankaSource[] = "tanka.txt";
inline constexpr char kSampleShokeihiSource[] = "shokeihi.txt";
inline constexpr char kSampleProgramKingakuSource[] = "program_kingaku.txt";
inline constexpr char kSampleZairyoTankaSource[] = "zairyo_tanka.txt";
inline constexpr char kSampleHyoshiSource[] = "hyoshi.txt";

struct SampleMasterSet {
    CBukakeFile bukake;
    CHenkaritsuFile henkaritsu;
    CTankaFile tanka;
    CShokeihiFile shokeihi;
    CProgramKingakuFile programKingaku;
    CZairyoTankaFile zairyoTanka;
    CHyoshiData hyoshi;
};

// The masters a 歩掛 text refers to. The 歩掛 reader checks that every 変化率 code, 職種 id and
// material id it names exists there.
struct SampleReferences {
    const CHenkaritsuFile& henkaritsu;
    const CTankaFile& tanka;
    const CZairyoTankaFile& zairyoTanka;
};

// One reader per master; file is the name used in messages.
CHenkaritsuFile ParseSampleHenkaritsu(std::string_view text, const std::string& file);
CTankaFile ParseSampleTanka(std::string_view text, const std::string& file);
CShokeihiFile ParseSampleShokeihi(std::string_view text, const std::string& file);
CProgramKingakuFile ParseSampleProgramKingaku(std::string_view text, const std::string& file);
CZairyoTankaFile ParseSampleZairyoTanka(std::string_view text, const std::string& file);
CHyoshiData ParseSampleHyoshi(std::string_view text, const std::string& file);
CBukakeFile ParseSampleBukake(std::string_view text, const std::string& file, const SampleReferences& refs);

// Reads the seven sources of a folder. A file that cannot be read is a SampleTextError at line 0.
SampleMasterSet LoadSampleMasters(const std::string& sourceFolder);

// Where the files go below the program folder: the user's data folder and the shipped reference
// data that the update commands merge from.
inline constexpr char kSampleDataFolder[] = "データ格納";
inline constexpr char kSampleMasterFolder[] = "データ格納/参考マスター25";
inline constexpr char kSampleShippedDataFolder[] = "初期データ/データ格納";
inline constexpr char kSampleShippedMasterFolder[] = "初期データ/データ格納/参考マスター";

struct SampleMasterFile {
    std::string relativePath;  // below the program folder
    std::string bytes;
};

// The binary files of the set, each written by its master's own Serialize, both under データ格納 and
// under 初期データ/データ格納 (storing raises the roots' versions to the current ones).
std::vector<SampleMasterFile> BuildSampleMasterFiles(SampleMasterSet& set);

// Writes the files below the folder (creating folders as needed) by replacing saves. False with a
// reason when one cannot be written; the files written before it stay.
bool WriteSampleMasterFiles(const std::vector<SampleMasterFile>& files, const std::string& folder,
                            std::string* error);
