#include "master/MasterUpdate.h"

#include <cstdio>
#include <optional>
#include <vector>

#include "master/BukakeMoveRecord.h"
#include "master/MasterMerge.h"
#include "master/MasterCommandSupport.h"
#include "master/MasterTexts.h"
#include "platform/FileUtil.h"
#include "platform/Host.h"
#include "platform/NumberText.h"

using vemo::FileExists;
using vemo::JoinPath;

namespace {

const char kShippedRoot[] = "初期データ";
const char kDataFolderName[] = "データ格納";
const char kShippedMasterSet[] = "参考マスター";

std::string ZairyoTankaFileName() { return std::string(kZairyoTankaDefaultStem) + kZairyoTankaExtension; }

// One line per user 工種 (or, with shubetsu, 種別) that was given a new code because its own was
// taken (carried) or could not be carried (!carried): its names, its former code and (carried) its
// new one.
std::string MovedLines(const std::vector<MovedEntry>& moved, bool shubetsu, bool carried) {
    std::string lines;
    for (const MovedEntry& m : moved) {
        if (m.IsShubetsu() != shubetsu || m.Carried() != carried || (carried && !m.clash)) continue;
        lines += m.gyomuName + " " + m.koshuName;
        if (shubetsu) lines += " " + m.shubetsuName;
        lines += mastertext::kFindingSeparator;
        lines += shubetsu ? mastertext::kShubetsuCodeBefore : mastertext::kKoshuCodeBefore;
        lines += vemo::FormatInt(shubetsu ? m.oldShubetsu : m.oldKoshu);
        if (carried) lines += mastertext::kKoshuCodeArrow + vemo::FormatInt(shubetsu ? m.newShubetsu : m.newKoshu);
        lines += "\n";
    }
    return lines;
}

// The closing message's sections on the user entries that took new codes or were dropped ("" when
// none).
std::string MovedNote(const std::vector<MovedEntry>& moved) {
    std::string note;
    auto section = [&](const char* heading, bool shubetsu, bool carried) {
        const std::string lines = MovedLines(moved, shubetsu, carried);
        if (!lines.empty()) note += heading + lines;
    };
    section(mastertext::kMovedKoshuHeading, false, true);
    section(mastertext::kMovedShubetsuHeading, true, true);
    section(mastertext::kDroppedShubetsuHeading, true, false);
    return note;
}

// The moves as the record keeps them.
std::vector<BukakeMoveLine> RecordLines(const std::vector<MovedEntry>& moved) {
    std::vector<BukakeMoveLine> lines;
    for (const MovedEntry& m : moved) {
        BukakeMoveLine line{m.gyomu, m.oldKoshu, m.oldShubetsu, kUnset, kUnset,
                            m.IsShubetsu() ? m.shubetsuName : m.koshuName};
        if (m.Carried()) {
            line.newKoshu = m.newKoshu;
            line.newShubetsu = m.newShubetsu;
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace

struct CMasterUpdater::UpdateTexts {
    const char* confirm;
    const char* success;
    const char* overwrite;
    const char* failure;
};

std::string CMasterUpdater::ShippedDataFolder() const {
    return JoinPath(JoinPath(m_store.GetProgramFolder(), kShippedRoot), kDataFolderName);
}
std::string CMasterUpdater::ShippedBukakePath() const {
    return JoinPath(JoinPath(ShippedDataFolder(), kShippedMasterSet), kBukakeFileName);
}
std::string CMasterUpdater::ShippedHenkaritsuPath() const {
    return JoinPath(JoinPath(ShippedDataFolder(), kShippedMasterSet), kHenkaritsuFileName);
}
std::string CMasterUpdater::ShippedTankaPath() const { return JoinPath(ShippedDataFolder(), kTankaFileName); }
std::string CMasterUpdater::ShippedZairyoTankaPath() const {
    return JoinPath(ShippedDataFolder(), ZairyoTankaFileName());
}
std::string CMasterUpdater::AutoVerupPath() const { return JoinPath(m_store.GetProgramFolder(), "AutoVerup.txt"); }

// ---------------------------------------------------------------------------------------------
// Merges into scratch objects

CMasterUpdater::Merge CMasterUpdater::MergeBukake(const std::string& path, CBukakeFile& result,
                                                   std::vector<MovedEntry>& moved) {
    CBukakeFile shipped;
    if (!m_store.SerializeBukakeFile(0, &shipped, path)) return Merge::failed;
    const CBukakeFile& user = m_store.GetBukakeFile();
    CMasterProgress progress(mastertext::kStatusImportingBukake, CountUserBukakeEntries(user, shipped));
    moved.clear();
    if (!MergeUserBukake(user, shipped, BukakeMergeRules{}, progress.Stepper(), moved)) return Merge::cancelled;
    progress.Hide();
    // A user 工種 that finds no code of its own is neither dropped nor doubled: the update fails,
    // and the user learns which 工種 stands in the way.
    const std::string lost = MovedLines(moved, false, false);
    if (!lost.empty()) {
        AfxMessageBox(mastertext::kKoshuWithoutFreeCodeHeading + lost, MsgButtons::Ok, MsgIcon::Exclamation);
        return Merge::failed;
    }
    result = std::move(shipped);
    return Merge::merged;
}

bool CMasterUpdater::SaveBukakeAndRecord(const std::vector<MovedEntry>& moved) {
    if (m_store.SerializeBukakeFile(1, nullptr, "") != 1) return false;
    // Estimates name entries by code: the record lets them find the entries that moved.
    std::string reason;
    const std::string folder = m_store.GetMasterDataFolder();
    if (!moved.empty() && !AppendMoveRecord(folder, RecordLines(moved), &reason))
        AfxMessageBox(MoveRecordPath(folder) + mastertext::kMoveRecordNotWritten + (reason.empty() ? "" : "\n" + reason),
                      MsgButtons::Ok, MsgIcon::Exclamation);
    return true;
}

CMasterUpdater::Merge CMasterUpdater::MergeHenkaritsu(const std::string& path, CHenkaritsuFile& result) {
    CHenkaritsuFile shipped;
    if (!m_store.SerializeHenkaritsuFile(0, &shipped, path)) return Merge::failed;
    const CHenkaritsuFile& user = m_store.GetHenkaritsuFile();
    CMasterProgress progress(mastertext::kStatusImportingHenkaritsu, CountHenkaritsuRecords(user, shipped, GroupPairing::eachDestinationGroup));
    if (!MergeUserHenkaritsu(user, shipped, GroupPairing::eachDestinationGroup, false, progress.Stepper())) return Merge::cancelled;
    progress.Hide();
    result = std::move(shipped);
    return Merge::merged;
}

CMasterUpdater::Merge CMasterUpdater::MergeTankaFile(const std::string& path, CTankaFile& result) {
    CTankaFile shipped;
    if (!m_store.SerializeTankaFile(0, &shipped, path)) return Merge::failed;
    const CTankaFile& user = m_store.GetTankaFile();
    if (shipped.m_dataVersion <= user.m_dataVersion) {
        AfxMessageBox(mastertext::kTankaNotNewer);
        return Merge::notNewer;
    }
    MergeTanka(user, shipped);
    result = std::move(shipped);
    return Merge::merged;
}

CMasterUpdater::Merge CMasterUpdater::MergeZairyo(const std::string& path, const CZairyoTankaFile& base,
                                                  CZairyoTankaFile& result) {
    // A missing material file would make the load offer a file choice; the shipped file is no choice.
    if (!FileExists(path)) {
        ReportMissingFile(path);
        return Merge::failed;
    }
    CZairyoTankaFile shipped;
    if (!m_store.SerializeZairyoTankaFile(0, &shipped, path)) return Merge::failed;
    CMasterProgress progress(mastertext::kStatusImportingZairyoTanka, base.GetCount());
    CZairyoTankaFile merged;
    merged.Copy(base);
    if (!MergeZairyoTanka(merged, shipped, progress.Stepper())) return Merge::cancelled;
    progress.Hide();
    result = std::move(merged);
    return Merge::merged;
}

// ---------------------------------------------------------------------------------------------
// Engines

int CMasterUpdater::UpdateBukakeFile(const std::string& path) {
    CBukakeFile merged;
    std::vector<MovedEntry> moved;  // told and recorded by the commands, which save
    if (MergeBukake(path, merged, moved) != Merge::merged) return 0;
    m_store.GetBukakeFile() = std::move(merged);
    return 1;
}

int CMasterUpdater::UpdateHenkaritsuFile(const std::string& path) {
    CHenkaritsuFile merged;
    if (MergeHenkaritsu(path, merged) != Merge::merged) return 0;
    m_store.GetHenkaritsuFile() = std::move(merged);
    return 1;
}

int CMasterUpdater::UpdateTankaFile(const std::string& path) {
    CTankaFile merged;
    if (MergeTankaFile(path, merged) != Merge::merged) return 0;
    m_store.GetTankaFile() = std::move(merged);
    return 1;
}

int CMasterUpdater::UpdateZairyoTankaFile(const std::string& path) {
    CZairyoTankaFile merged;
    if (MergeZairyo(path, m_store.GetZairyoTankaFile(), merged) != Merge::merged) return 0;
    m_store.GetZairyoTankaFile() = std::move(merged);
    return 1;
}

// ---------------------------------------------------------------------------------------------
// Update commands

template <class Root, class MergeFn, class SaveFn>
int CMasterUpdater::RunUpdateCommand(int silent, const UpdateTexts& texts, const std::string& source, Root& target,
                                     MergeFn merge, SaveFn save, bool isTanka, const std::string& closingNote) {
    if (!silent && AfxMessageBox(texts.confirm, MsgButtons::YesNo, MsgIcon::Information) != IDYES) {
        AfxMessageBox(mastertext::kUpdateAborted);
        return 2;
    }
    auto finish = [&](int result) {
        if (isTanka) m_store.ShowTankaSetInStatus();
        return result;
    };
    if (!FileExists(source)) {
        ReportMissingFile(source);
        return finish(0);
    }
    Root merged;
    Merge outcome = merge(source, merged);
    if (outcome == Merge::notNewer) {
        AfxMessageBox(mastertext::kTankaUpdateEnded);
        return finish(3);
    }
    if (outcome != Merge::merged) {
        AfxMessageBox(texts.failure);
        return finish(0);
    }
    if (!silent && AfxMessageBox(texts.overwrite, MsgButtons::YesNo) != IDYES) {
        AfxMessageBox(mastertext::kUpdateAborted);  // the merged master is dropped; the one in use stays
        return finish(2);
    }
    if (!InstallAndSave(target, merged, save)) {
        AfxMessageBox(texts.failure);
        return finish(0);
    }
    AfxMessageBox(texts.success + closingNote, MsgButtons::Ok, MsgIcon::Information);
    return finish(1);
}

int CMasterUpdater::DoBukakeUpdate(int silent) {
    static const UpdateTexts texts{mastertext::kAskUpdateBukake, mastertext::kBukakeUpdated,
                                   mastertext::kAskOverwriteBukake, mastertext::kBukakeUpdateFailed};
    std::vector<MovedEntry> moved;  // filled by the merge, recorded with the save
    std::string movedNote;          // told in the closing message
    return RunUpdateCommand(
        silent, texts, ShippedBukakePath(), m_store.GetBukakeFile(),
        [this, &moved, &movedNote](const std::string& p, CBukakeFile& r) {
            const Merge outcome = MergeBukake(p, r, moved);
            movedNote = MovedNote(moved);
            return outcome;
        },
        [this, &moved] { return SaveBukakeAndRecord(moved); }, false, movedNote);
}

int CMasterUpdater::DoHenkaritsuUpdate(int silent) {
    static const UpdateTexts texts{mastertext::kAskUpdateHenkaritsu, mastertext::kHenkaritsuUpdated,
                                   mastertext::kAskOverwriteHenkaritsu, mastertext::kHenkaritsuUpdateFailed};
    return RunUpdateCommand(
        silent, texts, ShippedHenkaritsuPath(), m_store.GetHenkaritsuFile(),
        [this](const std::string& p, CHenkaritsuFile& r) { return MergeHenkaritsu(p, r); },
        [this] { return m_store.SerializeHenkaritsuFile(1, nullptr, "") == 1; }, false, {});
}

int CMasterUpdater::DoTankaUpdate(int silent) {
    static const UpdateTexts texts{mastertext::kAskUpdateTanka, mastertext::kTankaUpdated,
                                   mastertext::kAskOverwriteTanka, mastertext::kTankaUpdateFailed};
    return RunUpdateCommand(
        silent, texts, ShippedTankaPath(), m_store.GetTankaFile(),
        [this](const std::string& p, CTankaFile& r) { return MergeTankaFile(p, r); },
        [this] { return m_store.SerializeTankaFile(1, nullptr, "") == 1; }, true, {});
}

int CMasterUpdater::DoZairyoTankaUpdate(int silent) {
    static const UpdateTexts texts{mastertext::kAskUpdateZairyoTanka, mastertext::kZairyoTankaUpdated,
                                   mastertext::kAskOverwriteZairyoTanka, mastertext::kZairyoTankaUpdateFailed};
    return RunUpdateCommand(
        silent, texts, ShippedZairyoTankaPath(), m_store.GetZairyoTankaFile(),
        [this](const std::string& p, CZairyoTankaFile& r) { return MergeZairyo(p, m_store.GetZairyoTankaFile(), r); },
        [this] { return m_store.SerializeZairyoTankaFile(1, nullptr, "") == 1; }, false, {});
}

// ---------------------------------------------------------------------------------------------
// Material-price carry-over

int CMasterUpdater::CarryOverZairyoTankaFile() {
    const std::string current = m_store.GetZairyoTankaPath();
    const std::string target = JoinPath(vemo::ParentFolder(current), ZairyoTankaFileName());
    if (FileExists(target) || vemo::FolderExists(target)) return 0;
    if (!FileExists(current)) return 1;
    std::string bytes;
    if (vemo::ReadWholeFile(current, vemo::kDataFileLimit, bytes) != vemo::ReadResult::read ||
        !vemo::WriteFileReplacing(target, bytes))
        return 0;
    // The copy is read into a fresh object first: when it does not load, the copy is taken away
    // again and the file in use stays in use.
    CZairyoTankaFile loaded;
    if (!m_store.SerializeZairyoTankaFile(0, &loaded, target)) {
        std::remove(target.c_str());
        return 0;
    }
    m_store.LockZairyoTankaFile(0, 1);
    m_store.GetZairyoTankaFile() = std::move(loaded);
    m_store.SetZairyoTankaPath(target);
    return m_store.LockZairyoTankaFile(1, 1) ? 1 : 0;
}

// ---------------------------------------------------------------------------------------------
// Whole update

int CMasterUpdater::CopyShippedFile(const std::string& name, const std::string& destination) {
    std::string bytes;
    if (vemo::ReadWholeFile(JoinPath(ShippedDataFolder(), name), vemo::kDataFileLimit, bytes) != vemo::ReadResult::read)
        return 0;
    // A master linked from elsewhere is replaced where the link points, and stays linked.
    return vemo::WriteFileThroughLink(destination, bytes) ? 1 : 0;
}

int CMasterUpdater::DoAutoFileVersionUp(int silent) {
    if (!silent && AfxMessageBox(mastertext::kAskUpdateAll, MsgButtons::YesNo, MsgIcon::Information) != IDYES)
        return 2;

    // Everything is read and merged first; nothing is written unless all of it succeeded, so a
    // missing shipped file, a file that does not load or Cancel in a progress window change nothing.
    bool failed = false;
    auto require = [&](const std::string& path) {
        if (failed) return false;
        if (!FileExists(path)) {
            ReportMissingFile(path);
            failed = true;
        }
        return !failed;
    };
    const std::string shipped = ShippedDataFolder();
    CShokeihiFile shokeihi;
    CProgramKingakuFile programKingaku;
    if (require(JoinPath(shipped, kShokeihiFileName)) &&
        !m_store.SerializeShokeihiFile(0, &shokeihi, JoinPath(shipped, kShokeihiFileName)))
        failed = true;
    if (require(JoinPath(shipped, kProgramKingakuFileName)) &&
        !m_store.SerializeProgramKingakuFile(0, &programKingaku, JoinPath(shipped, kProgramKingakuFileName)))
        failed = true;
    require(JoinPath(shipped, kHyoshiFileName));

    CBukakeFile bukake;
    CHenkaritsuFile henkaritsu;
    CTankaFile tanka;
    std::vector<MovedEntry> moved;
    if (require(ShippedBukakePath()) && MergeBukake(ShippedBukakePath(), bukake, moved) != Merge::merged)
        failed = true;
    if (require(ShippedHenkaritsuPath()) && MergeHenkaritsu(ShippedHenkaritsuPath(), henkaritsu) != Merge::merged)
        failed = true;
    if (require(ShippedTankaPath()) && MergeTankaFile(ShippedTankaPath(), tanka) != Merge::merged) failed = true;

    // The material update follows the carry-over of the material-price file, which takes over the
    // file in use byte for byte: its merge starts from that file's content.
    CZairyoTankaFile zairyo;
    bool haveZairyo = false;
    if (!failed) {
        const std::string current = m_store.GetZairyoTankaPath();
        const std::string target = JoinPath(vemo::ParentFolder(current), ZairyoTankaFileName());
        const bool targetFree = !FileExists(target) && !vemo::FolderExists(target);
        const bool carries = targetFree && FileExists(current);
        if (silent || targetFree) {
            std::optional<CZairyoTankaFile> carried;
            bool baseOk = true;
            if (carries) {
                carried.emplace();
                baseOk = m_store.SerializeZairyoTankaFile(0, &*carried, current) == 1;
            }
            if (baseOk && FileExists(ShippedZairyoTankaPath())) {
                Merge m = MergeZairyo(ShippedZairyoTankaPath(), carried ? *carried : m_store.GetZairyoTankaFile(),
                                      zairyo);
                if (m == Merge::cancelled) failed = true;
                haveZairyo = m == Merge::merged;
            } else if (baseOk) {
                ReportMissingFile(ShippedZairyoTankaPath());
            }
        }
    }

    if (!failed) {
        // 諸経費, プログラム金額 and 表紙 are written while their locks are let go; a lock this copy of
        // the program does not hold means another one is editing the file, and nothing is written.
        const CMasterDataStore::LockId unlocked[] = {CMasterDataStore::kLockProgramKingaku,
                                                     CMasterDataStore::kLockShokeihi, CMasterDataStore::kLockTanka};
        std::vector<CMasterDataStore::LockId> released;
        for (auto id : unlocked) {
            if (!m_store.Lock(id, 0, 0)) break;
            released.push_back(id);
        }
        if (released.size() != std::size(unlocked)) {
            AfxMessageBox(mastertext::kSaveRefused, MsgButtons::Ok, MsgIcon::Exclamation);
            failed = true;
        }
        if (!failed) {
            if (CopyShippedFile(kShokeihiFileName, m_store.GetShokeihiPath()))
                m_store.GetShokeihiFile() = std::move(shokeihi);
            else
                failed = true;
        }
        if (!failed) {
            if (CopyShippedFile(kProgramKingakuFileName, m_store.GetProgramKingakuPath()))
                m_store.GetProgramKingakuFile() = std::move(programKingaku);
            else
                failed = true;
        }
        // The user's cover data and input histories take the place of the shipped 表紙 file.
        if (!failed && !m_store.SerializeHyoshiFile(1, nullptr, "")) failed = true;
        for (auto id : released) m_store.Lock(id, 1, 0);
    }

    if (!failed && !InstallAndSave(m_store.GetBukakeFile(), bukake, [&] { return SaveBukakeAndRecord(moved); }))
        failed = true;
    if (!failed && !InstallAndSave(m_store.GetHenkaritsuFile(), henkaritsu,
                                   [this] { return m_store.SerializeHenkaritsuFile(1, nullptr, "") == 1; }))
        failed = true;
    if (!failed &&
        !InstallAndSave(m_store.GetTankaFile(), tanka, [this] { return m_store.SerializeTankaFile(1, nullptr, "") == 1; }))
        failed = true;

    if (!failed) {
        int carried = CarryOverZairyoTankaFile();
        if (haveZairyo && (silent || carried == 1))
            InstallAndSave(m_store.GetZairyoTankaFile(), zairyo,
                           [this] { return m_store.SerializeZairyoTankaFile(1, nullptr, "") == 1; });
    }

    m_store.ShowTankaSetInStatus();
    m_store.ShowZairyoTankaInStatus();
    AfxMessageBox(failed ? std::string(mastertext::kUpdateAllFailed) : mastertext::kUpdateAllDone + MovedNote(moved),
                  MsgButtons::Ok, MsgIcon::Information);
    return failed ? 0 : 1;
}
