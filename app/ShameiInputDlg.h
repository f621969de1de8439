#pragma once
#include <QIcon>
#include <QList>

#include "dialogkit/SekisanDialog.h"
#include "master/TankaFile.h"

class CBitmapStatic;
class QCheckBox;
class QComboBox;
class QPushButton;

// "社名入力及び選択単価の初期設定": edits, on a copy of the 単価 master, the company block the
// reports print, the price column new estimates start with, the 旅費交通費 method with its trade
// and the consumption-tax rate. "保存して終了" hands the copy back; it is open only while the
// chosen column has a title.
class CShameiInputDlg : public CSekisanDialog {
    Q_OBJECT
public:
    // The pictures of the two lists (bitmap 155): a column with and without a title, a trade with
    // and without a price in the chosen column, a trade while the 旅費交通費 method is off.
    enum Image { kTitledColumn = 0, kUntitledColumn = 1, kPricedRow = 2, kUnpricedRow = 3, kTravelOffRow = 4 };

    explicit CShameiInputDlg(QWidget* parent = nullptr);

    // The copy the dialog works on; after OK, the edited master.
    void SetTankaFile(const CTankaFile& tanka) { m_tanka = tanka; }
    const CTankaFile& GetTankaFile() const { return m_tanka; }

    void OnInitDialog() override;
    // Refused while "保存して終了" is disabled.
    void accept() override;

    // The handlers of the check boxes and lists.
    void OnFooterClicked();
    void OnTravelClicked();
    void OnColumnChanged(int index);
    void OnRowChosen(int index);

    // One picture of bitmap 155 (16 × 16, magenta transparent).
    static QIcon ListImage(int index);

private:
    void UpdateMaster();
    void UpdateControlState();
    CZo_Edit* Field(int companyIndex) const { return m_fields[static_cast<size_t>(companyIndex)]; }

    CBitmapStatic* m_picture;
    QComboBox* m_rowCombo;
    QComboBox* m_columnCombo;
    // In the order of the master's company texts: postal code, address 1, address 2, company
    // name 1, company name 2, representative, telephone, fax.
    std::array<CZo_Edit*, 8> m_fields{};
    QCheckBox* m_footerCheck;
    QCheckBox* m_travelCheck;
    CZo_Edit* m_tax;
    QPushButton* m_ok;
    int m_footerFlag = 0;
    int m_travelFlag = 0;
    CTankaFile m_tanka;
    QList<QIcon> m_images;
    int m_rowIndex = 0;
    int m_columnIndex = 0;
};
