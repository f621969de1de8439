#pragma once
#include <array>

#include "dialogkit/SekisanDialog.h"
#include "master/BukakeFile.h"

// Edits the auxiliary formulas S1..S8 of a copy of a 歩掛 detail, and a ninth text kept beside them.
// OK checks them all: S1 must be a valid formula, S2..S8 valid when given; each failing field tells
// its own message and the dialog stays open.
class CBukakeHojoShikiDlg : public CSekisanDialog {
    Q_OBJECT
public:
    static constexpr int kFormulas = 8;

    explicit CBukakeHojoShikiDlg(QWidget* parent = nullptr);

    void SetDetail(const CBukakeDetail& detail) { m_detail.Copy(detail); }
    // After OK: the detail with the texts as typed.
    const CBukakeDetail& GetDetail() const { return m_detail; }

    void OnInitDialog() override;
    void accept() override;

private:
    std::array<CZo_Edit*, kFormulas> m_fields{};
    CZo_Edit* m_ninth;
    CBukakeDetail m_detail;
};
