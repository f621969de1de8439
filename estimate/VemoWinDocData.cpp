#include "estimate/VemoWinDocData.h"

#include <utility>

#include "estimate/CalcCodes.h"
#include "estimate/EstimateTexts.h"
#include "platform/Archive.h"
#include "platform/Cp932.h"
#include "platform/FileUtil.h"
#include "platform/Host.h"
#include "platform/TextUtil.h"

std::string MsgCannotOpenSekisanFile(const std::string& path, const std::string& reason) {
    std::string text = vemo::FillText(estimate_texts::MsgCannotOpenSekisanFile, {path});
    if (!reason.empty()) text += "\n" + reason;
    return text;
}

std::string MsgDamagedSekisanFile(const std::string& path) {
    return vemo::FillText(estimate_texts::MsgDamagedSekisanFile, {path});
}

std::string MsgCannotSaveSekisanFile(const std::string& path, const std::string& reason) {
    std::string text = vemo::FillText(estimate_texts::MsgCannotSaveSekisanFile, {path});
    if (!reason.empty()) text += "\n" + reason;
    return text;
}

std::string MsgReadOnlySekisanFile(const std::string& path) {
    return vemo::FillText(estimate_texts::MsgReadOnlySekisanFile, {path});
}

CVemoWinDocData::CVemoWinDocData()
    : m_strSignature(kSekisanSignature),
      m_nFileVersion(kSekisanFileVersion),
      m_nGyomuFlags(0),
      m_pSekisanData(std::make_unique<CSekisanData>()) {}

int32_t CVemoWinDocData::ComputeGyomuFlags(const CSekisanItemList& list) {
    using calc::Gyomu;
    uint32_t flags = 0;
    for (int i = 0; i < list.GetCount(); ++i) {
        const CSekisanItem* item = list.GetItem(i);
        if (!item) continue;
        // Bit k − 1 for 業務 k; the two 土質調査 share the bit of 業務 4, 区画整理 測量 and 設計 that of 業務 5.
        const int32_t k = item->m_nGyomu;
        if (k == Gyomu::DoshitsuIppan || k == Gyomu::DoshitsuKaiseki)
            flags |= 0x08;
        else if (k == Gyomu::KukakuSokuryo || k == Gyomu::KukakuSekkei)
            flags |= 0x10;
        else if ((k >= Gyomu::Sokuryo && k <= Gyomu::Bukken) || (k > Gyomu::KukakuSekkei && k <= Gyomu::LastBusiness))
            flags |= 1u << (k - 1);
    }
    return static_cast<int32_t>(flags);
}

void CVemoWinDocData::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteString(m_strSignature);
        ar << m_nFileVersion;
        m_nGyomuFlags = ComputeGyomuFlags(*GetItemList());
        ar << m_nGyomuFlags;
        m_pSekisanData->Serialize(ar);
        return;
    }

    // The signature is compared byte for byte as the file holds it.
    const std::string signature = ar.ReadRawString();
    if (signature != vemo::Utf8ToCp932(kSekisanSignature)) throw CSekisanLoadAborted();
    m_strSignature = vemo::Cp932ToUtf8(signature);
    m_nFileVersion = ar.ReadInt();
    SetSekisanLoadingVersion(m_nFileVersion);
    const bool old = m_nFileVersion < kSekisanFileVersion;
    m_nGyomuFlags = ar.ReadInt();  // recomputed by the next store
    m_pSekisanData->Serialize(ar);
    if (old) {
        m_nFileVersion = kSekisanFileVersion;
        AfxMessageBox(kMsgOldSekisanFile, MsgButtons::Ok, MsgIcon::None);
    }
}

std::string CVemoWinDocData::StoreBytes() {
    CArchive ar;
    Serialize(ar);
    return ar.Buffer();
}

void CVemoWinDocData::Swap(CVemoWinDocData& other) noexcept {
    std::swap(m_strSignature, other.m_strSignature);
    std::swap(m_nFileVersion, other.m_nFileVersion);
    std::swap(m_nGyomuFlags, other.m_nGyomuFlags);
    std::swap(m_pSekisanData, other.m_pSekisanData);
    // Each object's estimate is priced with that object's context.
    m_pSekisanData->SetCalcContext(m_calcContext);
    other.m_pSekisanData->SetCalcContext(other.m_calcContext);
}

void CVemoWinDocData::SetCalcContext(const ICalcEnvironment* context) {
    m_calcContext = context;
    m_pSekisanData->SetCalcContext(context);
}

int CVemoWinDocData::LoadBytes(std::string bytes, const std::string& name) {
    CVemoWinDocData fresh;
    try {
        CArchive ar(std::move(bytes));
        fresh.Serialize(ar);
    } catch (const CSekisanLoadAborted&) {
        // The file type's own message, as it stands: no name, no icon.
        AfxMessageBox(kMsgForeignSekisanFile, MsgButtons::Ok, MsgIcon::None);
        return 0;
    } catch (const CArchiveException&) {
        AfxMessageBox(MsgDamagedSekisanFile(name), MsgButtons::Ok, MsgIcon::Exclamation);
        return 0;
    }
    Swap(fresh);
    return 1;
}

int CVemoWinDocData::LoadFile(const std::string& path) {
    std::string bytes, reason;
    // Missing, unreadable, no regular file or larger than any real estimate: refused unread, with why.
    if (vemo::ReadWholeFile(path, vemo::kDataFileLimit, bytes, &reason) != vemo::ReadResult::read) {
        AfxMessageBox(MsgCannotOpenSekisanFile(path, reason), MsgButtons::Ok, MsgIcon::Exclamation);
        return 0;
    }
    return LoadBytes(std::move(bytes), path);
}

int CVemoWinDocData::SaveFile(const std::string& path) {
    const std::string bytes = StoreBytes();
    std::string error;
    // An estimate reached through a link (one shared from another folder) is saved where the link
    // points, and the link stays.
    switch (vemo::SaveUserFile(path, bytes, &error)) {
        case vemo::SaveResult::saved: return 1;
        case vemo::SaveResult::readOnly:
            AfxMessageBox(MsgReadOnlySekisanFile(path), MsgButtons::Ok, MsgIcon::Exclamation);
            return 0;
        case vemo::SaveResult::failed: break;
    }
    AfxMessageBox(MsgCannotSaveSekisanFile(path, error), MsgButtons::Ok, MsgIcon::Exclamation);
    return 0;
}
