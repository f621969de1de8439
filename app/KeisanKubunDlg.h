#pragma once
#include "dialogkit/SekisanDialog.h"
#include "estimate/SekisanItem.h"
#include "master/BukakeFile.h"

class CSpreadSheet;
class QLabel;

// The calculation classifications (計算区分) of one 種別 row: one check per line of the 種別's 歩掛
// detail, kept in the row's 20 工程 flags. Lines without a text cannot be ticked; a detail of type
// 3 takes one classification only, so ticking a line clears the others. Enter presses OK.
class CKeisanKubunDlg : public CSekisanDialog {
    Q_OBJECT
public:
    // The detail type that allows one classification only.
    static constexpr int kSingleChoiceType = 3;

    explicit CKeisanKubunDlg(QWidget* parent = nullptr);

    // Copies the row in; after OK its 工程 flags are the choice.
    void SetItem(const CSekisanItem& item) { m_item.Copy(item); }
    const CSekisanItem& GetItem() const { return m_item; }
    // Copies the 種別's 歩掛 detail in.
    void SetDetail(const CBukakeDetail& detail) { m_detail.Copy(detail); }

    void OnInitDialog() override;
    // "全選択" and "全解除": every line with a text ticked or cleared.
    void OnSelectAll();
    void OnClearAll();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Fill();
    void SetNamedLines(int flag);
    void OnCheckChanged(int col, int row, short state);
    int LineRows() const;

    CSpreadSheet* m_grid;
    QLabel* m_name;
    CSekisanItem m_item;
    CBukakeDetail m_detail;
    int m_enabled = 0;
    int m_busy = 1;
};
