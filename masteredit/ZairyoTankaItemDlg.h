#pragma once
#include "dialogkit/SekisanDialog.h"
#include "master/ZairyoTankaFile.h"

// Edits the name, 規格, unit, price and remarks of one material-price item. A price field
// left empty means no price. The changed flag is 1 after an OK that changed a field, else -1.
class CZairyoTankaItemDlg : public CSekisanDialog {
    Q_OBJECT
public:
    explicit CZairyoTankaItemDlg(QWidget* parent = nullptr);

    void SetItem(const CZairyoTankaItem& item) { m_item = item; }
    const CZairyoTankaItem& GetItem() const { return m_item; }
    int GetChanged() const { return m_changed; }

    void OnInitDialog() override;
    void accept() override;

private:
    CZo_Edit* m_nameEdit;
    CZo_Edit* m_specEdit;
    CZo_Edit* m_unitEdit;
    CZo_Edit* m_remarksEdit;
    CZo_Edit* m_priceEdit;
    CZairyoTankaItem m_item;
    QString m_shownPrice;  // the price field as filled
    int m_changed = -1;
};
