#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "dialogkit/SekisanDialog.h"
#include "master/BukakeFile.h"
#include "master/HenkaritsuFile.h"
#include "master/MasterDialogs.h"
#include "master/TankaFile.h"
#include "master/ZairyoTankaFile.h"
#include "report/BukakeDetailSheets.h"

class CKoshuShubetsuLists;
class QComboBox;
class QLabel;
class QPushButton;

// "歩掛ファイルのインポート": the 工種 and 種別 of one 業務 of another 歩掛 file (the source, upper
// half) beside those of the application's 歩掛 (the destination, lower half). Both halves are edited
// like the 歩掛 editor's lists, each in its own copy; the two import buttons copy the chosen source
// 工種 or 種別 into the destination: in place of a namesake with the same code, beside it under a new
// code and the name "インポート～…", or with its own code. The source file is never written.
class CBukakeImportDlg : public CSekisanDialog, public IBukakeImportDialog {
    Q_OBJECT
public:
    explicit CBukakeImportDlg(QWidget* parent = nullptr);
    ~CBukakeImportDlg() override;

    void SetGyomuCodes(const std::vector<uint8_t>& codes) override { m_gyomuCodes = codes; }
    void SetSourceFile(const CBukakeFile& file) override { m_source.Copy(file); }
    void SetDestFile(const CBukakeFile& file) override { m_dest.Copy(file); }
    void SetHenkaritsuFile(const CHenkaritsuFile& file) override { m_henkaritsu.Copy(file); }
    void SetTankaFile(const CTankaFile& file) override { m_tanka.Copy(file); }
    void SetZairyoTankaFile(const CZairyoTankaFile& file) override { m_zairyo.Copy(file); }
    int DoModal() override { return CSekisanDialog::DoModal(); }
    void GetDestFile(CBukakeFile& file) const override { file.Copy(m_dest); }
    // What the detail dialogs of both halves print their 代価 and 明細 with.
    void SetDetailPrintSetup(const CBukakeDetailPrintSetup& setup);

    const CBukakeFile& SourceFile() const { return m_source; }
    const CBukakeFile& DestFile() const { return m_dest; }
    CKoshuShubetsuLists* SourceLists() const { return m_sourceLists; }
    CKoshuShubetsuLists* DestLists() const { return m_destLists; }

    void OnInitDialog() override;
    // The 業務 at this index of the list becomes current in both halves.
    void OnGyomuChosen(int index);
    // "工種データのインポート" and "種別データのインポート".
    void OnImportKoshu();
    void OnImportShubetsu();

private:
    void UpdateImportButtons();
    void UpdateLegend();

    std::vector<uint8_t> m_gyomuCodes;
    CBukakeFile m_source;
    CBukakeFile m_dest;
    CHenkaritsuFile m_henkaritsu;
    CTankaFile m_tanka;
    // The detail dialogs get a copy of the application's material prices for their names; what they
    // edit there is dropped, since nothing here writes a material file.
    CZairyoTankaFile m_zairyo;
    int m_zairyoChanged = -1;

    QComboBox* m_gyomuCombo;
    CKoshuShubetsuLists* m_sourceLists;
    CKoshuShubetsuLists* m_destLists;
    QPushButton* m_importKoshu;
    QPushButton* m_importShubetsu;
    std::array<QLabel*, 3> m_legend{};
};
