#pragma once
#include <array>
#include <string>

#include "masteredit/BukakeDetailDlgBase.h"

class QButtonGroup;
class QCheckBox;

// The expense-detail layout of the 歩掛 detail, for 土質調査 種別 whose 歩掛データ タイプ is not 0. Each
// line of the detail is a priced entry — a trade of the 単価 master (直接人件費, 労務費) or a
// material-price item (材料費, 機械器具損料, 動力費・その他) with a quantity or formula and a 損率
// text — and two free expense items, Z1 任意材料費 and Z2 任意機械経費, are each computed from a
// chosen basis and a rate. In this layout a line's kind, id and quantity are its first three column
// values, its text the 損率; the Z1 and Z2 methods sit in the first two 職種 slots, the Z1 rate in the
// 材料費率 and the Z2 rate in the 機械経費率.
class CBukakeShikiDetailDlg : public CBukakeDetailDlgBase {
    Q_OBJECT
public:
    enum Column { kKindCol = 1, kNameCol = 2, kQuantityCol = 3, kLossCol = 4 };
    // 単価種別 of a line.
    enum Kind { kNone = 0, kLabour = 1, kRomu = 2, kMaterial = 3, kMachine = 4, kPower = 5 };

    explicit CBukakeShikiDetailDlg(QWidget* parent = nullptr);
    ~CBukakeShikiDetailDlg() override;

    void OnInitDialog() override;
    void accept() override;

    void OnRowDelete();
    void OnRowInsert();

private:
    void FillGrid();
    void RefreshRows();
    void UpdateControls();
    void OnZ1(int index);
    void OnZ2(int index);
    void OnGridChange(int col, int row);
    void ChooseName(int row);
    void ReadControls() override;
    QString NameOf(const CBukakeDetailLine& line) const;

    QButtonGroup* m_z1Radios;
    QLabel* m_z1Label;
    CZo_Edit* m_z1Rate;
    QButtonGroup* m_z2Radios;
    QLabel* m_z2Label;
    CZo_Edit* m_z2Rate;
    QCheckBox* m_optionCheck;
    QPushButton* m_deleteButton;
    QPushButton* m_insertButton;

    int m_z1Index = -1;
    int m_z2Index = -1;
};
