#pragma once
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

#include "estimate/EstimateTexts.h"
#include "estimate/SekisanData.h"

class CArchive;

// The signature every estimate file starts with (36 bytes in CP932).
inline constexpr const char* kSekisanSignature = "積算農林ﾌｧｲﾙ ZORVA Development Corp.";

// Messages of the estimate file.
inline constexpr const char* kMsgForeignSekisanFile = estimate_texts::MsgForeignSekisanFile;
inline constexpr const char* kMsgOldSekisanFile = estimate_texts::MsgOldSekisanFile;
// The texts shown for a file that cannot be read, is cut short or damaged, or cannot be written;
// each names the file. (A file that is not an estimate file gets kMsgForeignSekisanFile alone.)
std::string MsgCannotOpenSekisanFile(const std::string& path, const std::string& reason);
std::string MsgDamagedSekisanFile(const std::string& path);
std::string MsgCannotSaveSekisanFile(const std::string& path, const std::string& reason);
// A save over a file without write permission is refused with this text, naming the file.
std::string MsgReadOnlySekisanFile(const std::string& path);

// Thrown by a load that meets a foreign signature.
class CSekisanLoadAborted : public std::runtime_error {
public:
    CSekisanLoadAborted() : std::runtime_error("estimate load aborted") {}
};

// The data of one estimate document: the file signature, the format version, the business-area
// flags and the estimate object it owns, with the ".sei" file's layout.
//
// The program's document class (CVemoWinDoc, on the Qt side) holds one of these and adds the
// window-system parts: its path name, title and modified flag, the save prompts and the wait cursor.
// It opens a file with LoadFile (which tells the user itself and leaves the data unchanged when it
// returns 0), saves with SaveFile (same), plans its Save and Save As with PlanSaveName
// (SeiFileNames.h), and gives the view the items through GetItemList.
class CVemoWinDocData {
public:
    CVemoWinDocData();
    CVemoWinDocData(const CVemoWinDocData&) = delete;
    CVemoWinDocData& operator=(const CVemoWinDocData&) = delete;

    const std::string& GetSignature() const { return m_strSignature; }
    int32_t GetFileVersion() const { return m_nFileVersion; }
    // The flags last stored or read; every store recomputes them.
    int32_t GetGyomuFlags() const { return m_nGyomuFlags; }

    CSekisanData* GetSekisanData() { return m_pSekisanData.get(); }
    const CSekisanData* GetSekisanData() const { return m_pSekisanData.get(); }
    CSekisanItemList* GetItemList() { return m_pSekisanData->GetItemList(); }
    const CSekisanItemList* GetItemList() const { return m_pSekisanData->GetItemList(); }

    // The context the estimate is priced with (not owned; see CSekisanData::SetCalcContext). It
    // stays with this object when a load replaces the estimate.
    void SetCalcContext(const ICalcEnvironment* context);

    // Writes the whole file, or reads it into this object (which must be freshly constructed).
    // Reading a foreign signature throws CSekisanLoadAborted; bytes that run out throw
    // CArchiveException; a file older than 1.04 loads, takes version 104 and shows the old-version
    // notice. Prefer LoadBytes / LoadFile, which read into a fresh object and tell the user why a
    // file cannot be read, naming it, with the warning icon.
    void Serialize(CArchive& ar);

    // The file's bytes.
    std::string StoreBytes();
    // Reads a whole file's bytes into a fresh object and takes it over on success (1). On failure
    // (0) the user has been told and this object is unchanged. name is the path shown in messages.
    int LoadBytes(std::string bytes, const std::string& name);
    int LoadFile(const std::string& path);
    // Writes the file by replacing: on failure (0, the user told) the file on disk is as it was. A
    // file marked read-only (no write bits) is not replaced.
    int SaveFile(const std::string& path);

    // Business-area flags of a list: 業務 4 or 5 sets 0x08, 6 or 7 sets 0x10, 1..3 and 8..32 set
    // bit k−1; other codes (summary rows among them) add nothing.
    static int32_t ComputeGyomuFlags(const CSekisanItemList& list);

private:
    void Swap(CVemoWinDocData& other) noexcept;

    std::string m_strSignature;
    int32_t m_nFileVersion;
    int32_t m_nGyomuFlags;
    std::unique_ptr<CSekisanData> m_pSekisanData;
    const ICalcEnvironment* m_calcContext = nullptr;
};
