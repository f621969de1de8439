#include "master/MasterImport.h"

#include "master/KoshuCategory.h"
#include "master/MasterCommandSupport.h"
#include "master/MasterInstall.h"
#include "master/MasterMerge.h"
#include "master/MasterTexts.h"
#include "platform/FileUtil.h"
#include "platform/Host.h"
#include "platform/NumberText.h"

using vemo::FileExists;
using vemo::JoinPath;

void GetGyomuCodes(std::vector<uint8_t>& codes, bool withCommon, int exclude) {
    for (uint8_t code : {6, 2, 7, 3, 4}) codes.push_back(code);
    if (exclude != 1) codes.push_back(5);
    if (withCommon)
        for (uint8_t code : {89, 95, 96, 97, 98, 99}) codes.push_back(code);
}

namespace {

template <class Root>
Root CopyOf(const Root& src) {
    Root copy;
    copy.Copy(src);
    return copy;
}

bool Ask(const std::string& text, MsgIcon icon) { return AfxMessageBox(text, MsgButtons::YesNo, icon) == IDYES; }

// Lets the user pick a master file; loads it into scratch. false when cancelled or not loaded.
template <class Root, class LoadFn>
bool PickMasterFile(const std::string& title, const std::string& filter, const std::string& initialPath, Root& scratch,
                    LoadFn load) {
    std::string chosen;
    if (!Host().ChooseOpenFile(title, filter, initialPath, chosen)) return false;
    if (!FileExists(chosen)) {
        ReportMissingFile(chosen);
        return false;
    }
    // A file that does not load is refused (its load has told the user why).
    return load(scratch, chosen) == 1;
}

// Runs an import dialog; after OK and a Yes to the question its destination takes the place of the
// application's master and is saved. 1 when saved.
template <class Root, class Dialog, class SaveFn>
int RunImportDialog(Dialog& dialog, const char* question, Root& target, SaveFn save) {
    if (dialog.DoModal() != IDOK) return 0;
    if (!Ask(question, MsgIcon::Exclamation)) return 0;
    Root edited;
    dialog.GetDestFile(edited);
    return InstallAndSave(target, edited, save) ? 1 : 0;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Manual imports

int CMasterImporter::OnBukakeImportManual() {
    if (!Ask(mastertext::kAskImportBukakeManually, MsgIcon::Information)) return 0;
    CBukakeFile source;
    if (!PickMasterFile(mastertext::kImportBukakeTitle, mastertext::kBukakeFilter,
                        JoinPath(m_store.GetMasterDataFolder(), kBukakeFileName), source,
                        [this](CBukakeFile& f, const std::string& p) { return m_store.SerializeBukakeFile(0, &f, p); }))
        return 0;
    std::vector<uint8_t> codes;
    GetGyomuCodes(codes, false, 0);
    std::unique_ptr<IBukakeImportDialog> dialog = MasterDialogs().CreateBukakeImportDialog();
    if (!dialog) return 0;
    dialog->SetGyomuCodes(codes);
    dialog->SetSourceFile(source);
    dialog->SetDestFile(m_store.GetBukakeFile());
    dialog->SetHenkaritsuFile(m_store.GetHenkaritsuFile());
    dialog->SetTankaFile(m_store.GetTankaFile());
    dialog->SetZairyoTankaFile(m_store.GetZairyoTankaFile());
    return RunImportDialog(*dialog, mastertext::kAskOverwriteBukakeFile, m_store.GetBukakeFile(),
                           [this] { return m_store.SerializeBukakeFile(1, nullptr, "") == 1; });
}

int CMasterImporter::OnHenkaritsuImportManual() {
    if (!Ask(mastertext::kAskImportHenkaritsuManually, MsgIcon::Information)) return 0;
    CHenkaritsuFile source;
    if (!PickMasterFile(
            mastertext::kImportHenkaritsuTitle, mastertext::kHenkaritsuFilter,
            JoinPath(m_store.GetMasterDataFolder(), kHenkaritsuFileName), source,
            [this](CHenkaritsuFile& f, const std::string& p) { return m_store.SerializeHenkaritsuFile(0, &f, p); }))
        return 0;
    std::vector<uint8_t> codes;
    GetGyomuCodes(codes, false, 1);
    std::unique_ptr<IHenkaritsuImportDialog> dialog = MasterDialogs().CreateHenkaritsuImportDialog();
    if (!dialog) return 0;
    dialog->SetGyomuCodes(codes);
    dialog->SetBukakeFile(m_store.GetBukakeFile());
    dialog->SetSourceFile(source);
    dialog->SetDestFile(m_store.GetHenkaritsuFile());
    if (dialog->DoModal() != IDOK) return 0;
    if (!Ask(mastertext::kAskOverwriteHenkaritsuFile, MsgIcon::Exclamation)) return 0;
    CHenkaritsuFile dest;
    dialog->GetDestFile(dest);
    if (!dialog->IsBukakeChanged()) return InstallEditedMaster(m_store, dest) ? 1 : 0;
    // Destination codes changed or deleted in the dialog took their 歩掛 references along: both
    // masters are saved, 歩掛 first, or neither.
    CBukakeFile bukake;
    dialog->GetBukakeFile(bukake);
    return InstallEditedMasters(m_store, bukake, dest) ? 1 : 0;
}

int CMasterImporter::OnTankaImportManual() {
    AfxMessageBox(mastertext::kNotSupported);
    return 0;
}

int CMasterImporter::OnZairyoTankaImportManual() {
    AfxMessageBox(mastertext::kNotSupported);
    return 0;
}

// ---------------------------------------------------------------------------------------------
// Old-version import

bool CMasterImporter::MergeOldBukake(const std::string& path, CBukakeFile& result) {
    CBukakeFile old;
    if (!m_store.SerializeBukakeFile(0, &old, path)) return false;
    const CBukakeFile& current = m_store.GetBukakeFile();
    CMasterProgress progress(mastertext::kStatusImportingBukake, CountUserBukakeEntries(old, current));
    CBukakeFile merged = CopyOf(current);
    BukakeMergeRules rules;
    rules.skipExistingKoshu = true;
    rules.clearConventionalFlags = true;
    rules.newCodesFreeInSource = false;
    std::vector<MovedEntry> moved;  // not told: a 工種 on a code already held is left out
    if (!MergeUserBukake(old, merged, rules, progress.Stepper(), moved)) return false;
    progress.Hide();
    result = std::move(merged);
    return true;
}

bool CMasterImporter::MergeOldHenkaritsu(const std::string& path, CHenkaritsuFile& result) {
    CHenkaritsuFile old;
    if (!m_store.SerializeHenkaritsuFile(0, &old, path)) return false;
    const CHenkaritsuFile& current = m_store.GetHenkaritsuFile();
    CMasterProgress progress(mastertext::kStatusImportingHenkaritsu, CountHenkaritsuRecords(old, current, GroupPairing::eachSourceGroup));
    CHenkaritsuFile merged = CopyOf(current);
    if (!MergeUserHenkaritsu(old, merged, GroupPairing::eachSourceGroup, true, progress.Stepper())) return false;
    progress.Hide();
    result = std::move(merged);
    return true;
}

int CMasterImporter::ImportOldUserBukake(const std::string& path) {
    CBukakeFile merged;
    if (!MergeOldBukake(path, merged)) return 0;
    m_store.GetBukakeFile() = std::move(merged);
    return 1;
}

int CMasterImporter::ImportOldUserHenkaritsu(const std::string& path) {
    CHenkaritsuFile merged;
    if (!MergeOldHenkaritsu(path, merged)) return 0;
    m_store.GetHenkaritsuFile() = std::move(merged);
    return 1;
}

// The master-data folder of the older product line, from its settings; the current one when
// it has none.
std::string CMasterImporter::OldVersionMasterFolder() const {
    std::string folder = Host().Settings().GetString("Vemo Tesk", "Path", "MasterData", "");
    return folder.empty() ? m_store.GetMasterDataFolder() : vemo::NormalizePath(folder);
}

int CMasterImporter::OnImportOldUserBukake() {
    if (!Ask(mastertext::kAskImportOldBukake, MsgIcon::Information)) return 0;
    const std::string oldFolder = OldVersionMasterFolder();
    MasterFolderRequest request{oldFolder, vemo::ParentFolder(oldFolder), 0};
    request.oldVersionMode = 1;
    std::string chosen;
    int picked = MasterDialogs().RunFolderDialog(request, chosen);
    if (!picked) return 0;
    const std::string folder = vemo::NormalizePath(chosen);

    // Both masters are merged before either is saved: a failure or Cancel in the second leaves the
    // first one untouched as well.
    auto merge = [](const std::string& path, auto mergeFn, const char* failure) {
        if (!FileExists(path)) {
            ReportMissingFile(path);
        } else if (mergeFn(path)) {
            return true;
        }
        AfxMessageBox(failure);
        return false;
    };
    CBukakeFile bukake;
    CHenkaritsuFile henkaritsu;
    if (!merge(JoinPath(folder, kBukakeFileName), [&](const std::string& p) { return MergeOldBukake(p, bukake); },
               mastertext::kOldBukakeImportFailed))
        return 0;
    if (!merge(JoinPath(folder, kHenkaritsuFileName),
               [&](const std::string& p) { return MergeOldHenkaritsu(p, henkaritsu); },
               mastertext::kOldHenkaritsuImportFailed))
        return 0;

    if (!InstallAndSave(m_store.GetBukakeFile(), bukake,
                        [this] { return m_store.SerializeBukakeFile(1, nullptr, "") == 1; })) {
        AfxMessageBox(mastertext::kOldBukakeImportFailed);
        return 0;
    }
    if (!InstallAndSave(m_store.GetHenkaritsuFile(), henkaritsu,
                        [this] { return m_store.SerializeHenkaritsuFile(1, nullptr, "") == 1; })) {
        AfxMessageBox(mastertext::kOldHenkaritsuImportFailed);
        return 0;
    }
    AfxMessageBox(mastertext::kOldBukakeImported, MsgButtons::Ok, MsgIcon::Information);
    return 1;
}

// ---------------------------------------------------------------------------------------------
// 区画整理 import: 業務 1 (測量) copied onto 業務 6 (区画整理測量)

namespace {

constexpr int32_t kSokuryo = Gyomu::Sokuryo;
constexpr int32_t kKukakuSeiri = Gyomu::KukakuSokuryo;

// Codes 1..99: a code both hold takes 測量's entry at 区画整理測量's place, a code only 区画整理測量
// holds goes (unless keep says otherwise), a code only 測量 holds comes in at 測量's index.
template <class Group, class FindIndex, class Get, class Set, class Remove, class Insert, class Keep>
void CopyCodes(const Group& s, Group& k, FindIndex findIndex, Get get, Set set, Remove remove, Insert insert,
               Keep keep) {
    for (int32_t c = 1; c <= 99; ++c) {
        int si = findIndex(s, c);
        int ki = findIndex(k, c);
        if (si >= 0 && ki >= 0)
            set(k, ki, DeepCopy(*get(s, si)));
        else if (ki >= 0 && !keep(c))
            remove(k, ki);
        else if (si >= 0)
            insert(k, si, DeepCopy(*get(s, si)));
    }
}

}  // namespace

int CMasterImporter::OnKukakuSeiriImport() {
    if (!Ask(mastertext::kFolderQuote + m_store.GetMasterDataFolder() + mastertext::kFolderQuote +
                 mastertext::kAskKukakuSeiriImport,
             MsgIcon::Information))
        return 0;

    // Both masters are checked for reserved codes before either is changed.
    const CBukakeFile& bukake = m_store.GetBukakeFile();
    const CBukakeGyomu* sb = bukake.FindGyomu(kSokuryo);
    const bool bukakePart = sb && bukake.FindGyomu(kKukakuSeiri);
    if (bukakePart) {
        for (int i = 0; i < sb->GetCount(); ++i) {
            int32_t code = sb->GetKoshu(i)->m_code;
            if (IsKukakuOwnKoshu(code)) {
                AfxMessageBox(mastertext::kKukakuKoshuCodeUsedBefore + vemo::FormatInt(code) + mastertext::kKukakuCodeUsedAfter,
                              MsgButtons::Ok, MsgIcon::Information);
                return 0;
            }
        }
    }
    const CHenkaritsuFile& henkaritsu = m_store.GetHenkaritsuFile();
    const CHenkaritsuGyomu* sh = henkaritsu.FindGyomu(kSokuryo);
    const bool henkaritsuPart = sh && henkaritsu.FindGyomu(kKukakuSeiri);
    if (henkaritsuPart) {
        for (int i = 0; i < sh->GetSize(); ++i) {
            int32_t code = sh->GetRecord(i)->m_code;
            if (code >= 100 && code <= 199) {
                AfxMessageBox(mastertext::kKukakuHenkaritsuCodeUsedBefore + vemo::FormatInt(code) +
                              mastertext::kKukakuCodeUsedAfter);
                return 0;
            }
        }
    }

    int changed = 0;
    if (bukakePart) {
        CBukakeFile result = CopyOf(bukake);
        CopyCodes(
            *result.FindGyomu(kSokuryo), *result.FindGyomu(kKukakuSeiri),
            [](const CBukakeGyomu& g, int32_t c) { return g.FindKoshuIndex(c); },
            [](const CBukakeGyomu& g, int i) { return g.GetKoshu(i); },
            [](CBukakeGyomu& g, int i, std::unique_ptr<CBukakeKoshu> p) { g.SetKoshu(i, std::move(p)); },
            [](CBukakeGyomu& g, int i) { g.RemoveKoshu(i); },
            [](CBukakeGyomu& g, int i, std::unique_ptr<CBukakeKoshu> p) { g.InsertKoshu(i, std::move(p)); },
            IsKukakuOwnKoshu);
        if (!InstallAndSave(m_store.GetBukakeFile(), result,
                            [this] { return m_store.SerializeBukakeFile(1, nullptr, "") == 1; }))
            return 0;
        changed = 1;
    }
    if (henkaritsuPart) {
        CHenkaritsuFile result = CopyOf(henkaritsu);
        CopyCodes(
            *result.FindGyomu(kSokuryo), *result.FindGyomu(kKukakuSeiri),
            [](const CHenkaritsuGyomu& g, int32_t c) { return g.FindRecordIndex(c); },
            [](const CHenkaritsuGyomu& g, int i) { return g.GetRecord(i); },
            [](CHenkaritsuGyomu& g, int i, std::unique_ptr<CHenkaritsuRecord> p) { g.SetRecord(i, std::move(p)); },
            [](CHenkaritsuGyomu& g, int i) { g.RemoveRecord(i); },
            [](CHenkaritsuGyomu& g, int i, std::unique_ptr<CHenkaritsuRecord> p) { g.InsertRecord(i, std::move(p)); },
            [](int32_t) { return false; });
        if (!InstallAndSave(m_store.GetHenkaritsuFile(), result,
                            [this] { return m_store.SerializeHenkaritsuFile(1, nullptr, "") == 1; }))
            return 0;
        changed = 1;
    }
    AfxMessageBox(mastertext::kKukakuSeiriImported);
    return changed;
}
