#pragma once
#include <string>

#include "dialogkit/SekisanDialog.h"
#include "master/HyoshiData.h"

class QComboBox;

// "件名入力": the three texts that head an estimate and its printouts — 印刷表題, 件名 and 箇所名 —
// each a combo box offering the texts entered before (the cover data's history lists 0, 2 and 3,
// newest first, empty entries left out). Captioned by mode: "件名の新規作成" (0), "件名の変更" (1).
// An empty 印刷表題 is offered as "御　　見　　積　　書". OK puts each text at the front of its
// history list and keeps it; nothing refuses OK.
//
// Use: SetInsatsuHyodai, SetKenmei, SetKashomei, SetMode, SetHyoshiData; DoModal; after IDOK
// GetHyoshiData (to store) and GetInsatsuHyodai, GetKenmei, GetKashomei.
class CKenmeiDlg : public CSekisanDialog {
    Q_OBJECT
public:
    enum Mode { NewEstimate = 0, Change = 1 };

    explicit CKenmeiDlg(QWidget* parent = nullptr);

    void SetInsatsuHyodai(const std::string& text) { m_printTitle = text; }
    void SetKenmei(const std::string& text) { m_kenmei = text; }
    void SetKashomei(const std::string& text) { m_kashomei = text; }
    void SetMode(int mode) { m_mode = mode; }
    void SetHyoshiData(const CHyoshiData& data) { m_hyoshi.Copy(data); }
    const std::string& GetInsatsuHyodai() const { return m_printTitle; }
    const std::string& GetKenmei() const { return m_kenmei; }
    const std::string& GetKashomei() const { return m_kashomei; }
    void GetHyoshiData(CHyoshiData& data) const { data.Copy(m_hyoshi); }

    void OnInitDialog() override;
    void accept() override;

private:
    void FillHistory(QComboBox* combo, int list) const;

    QComboBox* m_printTitleCombo;
    QComboBox* m_kenmeiCombo;
    QComboBox* m_kashomeiCombo;

    CHyoshiData m_hyoshi;
    std::string m_kenmei;
    std::string m_kashomei;
    std::string m_printTitle;
    int m_mode = NewEstimate;
};
