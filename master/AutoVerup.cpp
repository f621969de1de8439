#include "master/AutoVerup.h"

#include <cmath>

#include "formix/Formix.h"
#include "master/MasterTexts.h"
#include "master/MasterUpdate.h"
#include "platform/Cp932.h"
#include "platform/FileUtil.h"
#include "platform/Host.h"

CAutoVerupText CAutoVerupText::Parse(std::string_view bytes) {
    if (bytes.size() > kReadLimit) bytes = bytes.substr(0, kReadLimit);
    CAutoVerupText text;
    size_t pos = 0;
    for (std::string& line : text.m_lines) {
        if (pos >= bytes.size()) {
            line = kMissingLine;
            continue;
        }
        size_t lf = bytes.find('\n', pos);
        size_t end = lf == std::string_view::npos ? bytes.size() : lf;
        size_t cut = end;
        if (lf != std::string_view::npos && cut > pos && bytes[cut - 1] == '\r') --cut;
        line.assign(bytes.substr(pos, cut - pos));
        pos = lf == std::string_view::npos ? bytes.size() : lf + 1;
    }
    return text;
}

std::string CAutoVerupText::Format() const {
    std::string out;
    for (const std::string& line : m_lines) {
        if (line != kMissingLine) out += line;
        out += "\r\n";
    }
    return out;
}

bool CAutoVerupText::LineIs(int number, std::string_view utf8) const { return Line(number) == vemo::Utf8ToCp932(utf8); }

void CAutoVerupText::SetLine(int number, std::string_view utf8) {
    m_lines[static_cast<size_t>(number - 1)] = vemo::Utf8ToCp932(utf8);
}

int CAutoVerupText::VersionOf(int number) const {
    const std::string& line = Line(number);
    std::string digits = line.size() > 4 ? line.substr(line.size() - 4) : line;
    double value = Execute(digits.c_str()) + 1e-7;
    // Four bytes such as "1/0" or "9^99" give no version at all.
    if (!std::isfinite(value) || value >= 2147483648.0 || value <= -2147483649.0) return 0;
    return static_cast<int>(value);
}

// ---------------------------------------------------------------------------------------------

namespace {

const char kReferenceSet[] = "参考マスター25";

bool AskQuestion(const std::string& text) {
    return AfxMessageBox(text, MsgButtons::YesNo, MsgIcon::Question) == IDYES;
}

struct StateLines {
    const char* todo;
    const char* unnecessary;
    const char* done;
    const char* failed;
};

}  // namespace

void CMasterUpdater::RunAutoVerup() {
    std::string bytes;
    if (vemo::ReadFileHead(AutoVerupPath(), CAutoVerupText::kReadLimit, bytes) != vemo::ReadResult::read) return;
    CAutoVerupText text = CAutoVerupText::Parse(bytes);

    // The whole update, when the 歩掛 master is older than the shipped one.
    if (text.LineIs(6, mastertext::kAutoVerupAllTodo)) {
        if (m_store.GetBukakeFile().m_dataVersion >= text.VersionOf(2)) {
            text.SetLine(6, mastertext::kAutoVerupAllUnnecessary);
        } else if (AskQuestion(mastertext::kAskAutoUpdateAll)) {
            // The update works on the reference master set of the data folder, which the user
            // copies and selects first when needed.
            const std::string reference = vemo::JoinPath(m_store.GetDataFolder(), kReferenceSet);
            bool stopped = false;
            while (!stopped && !vemo::FolderExists(reference)) {
                AfxMessageBox(std::string(mastertext::kNameOpen) + kReferenceSet + mastertext::kReferenceSetMissing);
                if (m_store.SelectMasterFolder(1) != 1) stopped = true;
            }
            while (!stopped && m_store.GetMasterDataFolder() != vemo::NormalizePath(reference)) {
                AfxMessageBox(std::string(mastertext::kNameOpen) + kReferenceSet + mastertext::kSelectReferenceSet);
                if (m_store.SelectMasterFolder(2) == 0) stopped = true;
            }
            if (stopped) {
                AfxMessageBox(mastertext::kUpdateAborted);
            } else if (m_store.GetBukakeFile().m_dataVersion < text.VersionOf(2)) {
                text.SetLine(6, DoAutoFileVersionUp(1) == 1 ? mastertext::kAutoVerupAllDone
                                                            : mastertext::kAutoVerupAllFailed);
            } else {
                AfxMessageBox(mastertext::kAlreadyCurrent, MsgButtons::Ok, MsgIcon::Information);
                text.SetLine(6, mastertext::kAutoVerupAllUnnecessary);
            }
        }
    }

    const bool inReferenceSet = vemo::FileNameOf(m_store.GetMasterDataFolder()) == kReferenceSet;

    // 歩掛 and 変化率・補正率: only in the reference master set.
    struct MasterStep {
        int stateLine, versionLine;
        StateLines states;
        const char* question;
        int (CMasterUpdater::*update)(int);
    };
    const MasterStep masterSteps[] = {
        {7, 2,
         {mastertext::kAutoVerupBukakeTodo, mastertext::kAutoVerupBukakeUnnecessary, mastertext::kAutoVerupBukakeDone,
          mastertext::kAutoVerupBukakeFailed},
         mastertext::kAskAutoUpdateBukake, &CMasterUpdater::DoBukakeUpdate},
        {8, 3,
         {mastertext::kAutoVerupHenkaritsuTodo, mastertext::kAutoVerupHenkaritsuUnnecessary,
          mastertext::kAutoVerupHenkaritsuDone, mastertext::kAutoVerupHenkaritsuFailed},
         mastertext::kAskAutoUpdateHenkaritsu, &CMasterUpdater::DoHenkaritsuUpdate},
    };
    for (const MasterStep& s : masterSteps) {
        if (!text.LineIs(s.stateLine, s.states.todo)) continue;
        int32_t version = s.stateLine == 7 ? m_store.GetBukakeFile().m_dataVersion
                                           : m_store.GetHenkaritsuFile().m_dataVersion;
        if (version >= text.VersionOf(s.versionLine)) {
            text.SetLine(s.stateLine, s.states.unnecessary);
        } else if (inReferenceSet && AskQuestion(std::string(mastertext::kNameOpen) + kReferenceSet + s.question)) {
            int result = (this->*s.update)(1);
            text.SetLine(s.stateLine, result == 1 ? s.states.done : s.states.failed);
        }
    }

    // 単価, wherever the master-data folder is.
    if (text.LineIs(9, mastertext::kAutoVerupTankaTodo)) {
        if (m_store.GetTankaFile().m_dataVersion >= text.VersionOf(4)) {
            text.SetLine(9, mastertext::kAutoVerupTankaUnnecessary);
        } else if (AskQuestion(mastertext::kAskUpdateTanka)) {
            int result = DoTankaUpdate(1);
            text.SetLine(9, result == 1   ? mastertext::kAutoVerupTankaDone
                            : result == 3 ? mastertext::kAutoVerupTankaUnnecessary
                                          : mastertext::kAutoVerupTankaFailed);
        }
    }

    // 材料単価, only when this year's material-price file of the data folder is in use.
    if (text.LineIs(10, mastertext::kAutoVerupZairyoTankaTodo)) {
        const std::string fileName = std::string(kZairyoTankaDefaultStem) + kZairyoTankaExtension;
        const std::string expected = vemo::JoinPath(m_store.GetDataFolder(), fileName);
        if (m_store.GetZairyoTankaFile().m_dataVersion >= text.VersionOf(5)) {
            text.SetLine(10, mastertext::kAutoVerupZairyoTankaUnnecessary);
        } else if (m_store.GetZairyoTankaPath() == expected &&
                   AskQuestion(mastertext::kAskUpdateZairyoTanka)) {
            if (!vemo::FileExists(expected)) {
                AfxMessageBox(mastertext::kNameOpen + fileName + mastertext::kZairyoTankaMissingAborted);
            } else if (DoZairyoTankaUpdate(1) == 1) {
                text.SetLine(10, mastertext::kAutoVerupZairyoTankaDone);
                m_store.ShowZairyoTankaInStatus();
            } else {
                text.SetLine(10, mastertext::kAutoVerupZairyoTankaFailed);
            }
        }
    }

    vemo::WriteFileReplacing(AutoVerupPath(), text.Format());
}
