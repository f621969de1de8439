#include "master/MasterFile.h"

#include "platform/Cp932.h"
#include "platform/Host.h"

void WriteInts(CArchive& ar, std::span<const int32_t> values) {
    for (int32_t v : values) ar.WriteInt(v);
}

void ReadInts(CArchive& ar, std::span<int32_t> values) {
    for (int32_t& v : values) v = ar.ReadInt();
}

void WriteTexts(CArchive& ar, std::span<const std::string> texts) {
    for (const std::string& t : texts) ar.WriteString(t);
}

void ReadTexts(CArchive& ar, std::span<std::string> texts) {
    for (std::string& t : texts) t = ar.ReadString();
}

bool LoadSignature(CArchive& ar, const MasterFormat& format, std::string& held) {
    std::string raw = ar.ReadRawString();
    held = vemo::Cp932ToUtf8(raw);
    if (raw == vemo::Utf8ToCp932(format.signature)) return true;
    AfxMessageBox(std::string(format.mismatchText), MsgButtons::Ok, MsgIcon::Exclamation);
    return false;
}

bool CMasterHeader::SerializeHeader(CArchive& ar, int* ok) {
    const MasterFormat& format = *m_format;
    if (ar.IsStoring()) {
        ar.WriteString(m_signature);
        if (m_fileVersion < format.currentVersion) m_fileVersion = format.currentVersion;
        ar << m_fileVersion << m_dataVersion;
        return true;
    }
    if (!LoadSignature(ar, format, m_signature)) {
        if (ok) *ok = 0;
        return false;
    }
    m_fileVersion = ar.ReadInt();
    *format.loadedVersion = m_fileVersion;
    m_dataVersion = m_fileVersion >= format.dataVersionGate ? ar.ReadInt() : m_fileVersion;
    return true;
}
