#pragma once
#include <QPushButton>

#include "ScriptedDialogs.h"
#include "ScriptedHost.h"
#include "masteredit/ZairyoTankaSettingDlg.h"

// Answers the material-price setting dialog once for each file answer queued in the host: 参照...
// takes the answer, and the dialog closes with OK after a file was picked, with Cancel after an
// empty answer.
inline void ExpectZairyoTankaSettings(ScriptedDialogs& dialogs, ScriptedHost& host) {
    const size_t count = host.fileAnswers.size();
    for (size_t i = 0; i < count; ++i)
        dialogs.Expect<CZairyoTankaSettingDlg>([&host](CZairyoTankaSettingDlg& d) {
            const bool picked = !host.fileAnswers.empty() && host.fileAnswers.front().has_value();
            d.findChild<QPushButton*>("browse")->click();
            return picked ? IDOK : IDCANCEL;
        });
}
