#pragma once
#include <QString>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "master/BukakeFile.h"
#include "master/HenkaritsuFile.h"
#include "master/TankaFile.h"
#include "master/ZairyoTankaFile.h"
#include "report/BukakeDetailSheets.h"

class CEditorList;
class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QPushButton;

// The 工種 and 種別 lists of one 業務 of a 歩掛 copy, with their buttons and the coefficient line:
// the 歩掛 editor has one, the 歩掛 import one per file. The 工種 list shows the 工種 of the 業務, the
// 種別 list the 種別 of the current 工種, each with the picture of its kind of entry; the buttons
// change, create, copy, insert, delete and move entries through the change dialogs, and open the
// detail settings of a 種別. The lists' chosen indexes are the current 工種 and 種別 (-1: none).
// The file belongs to the owner; every edit goes into it.
class CKoshuShubetsuLists : public QWidget {
    Q_OBJECT
public:
    // name: the prefix of the object names of its lists and buttons ("koshuList", "sourceKoshuList").
    CKoshuShubetsuLists(const QString& name, const char* koshuTitle, const char* shubetsuTitle,
                        QWidget* parent = nullptr);

    // The 歩掛 copy edited.
    void SetFile(CBukakeFile* file) { m_file = file; }
    // What the detail dialogs get: copies of these masters and the material prices, which they may
    // edit (changed then takes their flag).
    void SetDetailMasters(const CHenkaritsuFile* henkaritsu, const CTankaFile* tanka, CZairyoTankaFile* zairyo,
                          int* zairyoChanged);
    // What the detail dialog prints its 代価 and 明細 with (the print form, the settings).
    void SetDetailPrintSetup(const CBukakeDetailPrintSetup& setup) { m_printSetup = setup; }

    // Shows the 業務 with that code (none when the file lacks it) with these current indexes.
    void ShowGyomu(int gyomuCode, int koshu, int shubetsu);
    int GyomuCode() const { return m_gyomuCode; }
    CBukakeGyomu* Gyomu() const;
    CBukakeKoshu* CurrentKoshu() const;
    CBukakeShubetsu* CurrentShubetsu() const;
    int KoshuIndex() const;
    int ShubetsuIndex() const;
    // Makes the 工種 at index current with the 種別 at shubetsu, refills and shows the 工種 list
    // (the 種別 list too with focusShubetsu).
    void ChooseKoshu(int index, int shubetsu, bool focusShubetsu = false);
    void ChooseShubetsu(int index);

    // The commands of the buttons (and of a double-click on a 種別: OnDetail).
    void OnKoshuChange();
    void OnKoshuNew();
    void OnKoshuCopy();
    void OnKoshuDelete();
    void OnKoshuMove(int step);  // -1 up, +1 down
    void OnShubetsuChange();
    void OnShubetsuNew();
    void OnShubetsuCopy();
    void OnShubetsuInsert();
    void OnShubetsuDelete();
    void OnShubetsuMove(int step);
    void OnDetail();

    CEditorList* KoshuList() const { return m_koshuList; }
    CEditorList* ShubetsuList() const { return m_shubetsuList; }
    QLabel* CoefficientLine() const { return m_line; }
    // The button columns beside the lists, where an owner adds its own buttons.
    QGridLayout* KoshuButtons() const { return m_koshuButtons; }
    QGridLayout* ShubetsuButtons() const { return m_shubetsuButtons; }

    // Which 業務 name their 種別 coefficient 技術経費: the editor's (2, 3, 4, 5 and 7) or the import's
    // (2 and 7 only; the others show none).
    enum class CoefficientRule { Editor, Import };
    void SetCoefficientRule(CoefficientRule rule) { m_coefficientRule = rule; }
    // The coefficient line of a 種別 (null: none chosen) of the 業務.
    static QString CoefficientText(int gyomuCode, const CBukakeShubetsu* shubetsu,
                                   CoefficientRule rule = CoefficientRule::Editor);
    // The picture of a 工種 or a 種別 in the strip of the 歩掛 lists.
    static int KoshuImage(int gyomuCode, const CBukakeKoshu& koshu);
    static int ShubetsuImage(int gyomuCode, const CBukakeKoshu& koshu, const CBukakeShubetsu& shubetsu);

signals:
    // The current 工種 or 種別 or the file changed; the owner's buttons may follow.
    void StateChanged();

private:
    void FillKoshu();
    void FillShubetsu();
    void UpdateState();
    // Refills what an edit touched and shows its list.
    void AfterKoshuEdit(bool scroll = false);
    void AfterShubetsuEdit(bool scroll = false);
    bool AskDelete(const char* before, const std::string& name);

    QString m_name;
    CBukakeFile* m_file = nullptr;
    const CHenkaritsuFile* m_henkaritsu = nullptr;
    const CTankaFile* m_tanka = nullptr;
    CZairyoTankaFile* m_zairyo = nullptr;
    int* m_zairyoChanged = nullptr;
    CBukakeDetailPrintSetup m_printSetup;
    int m_gyomuCode = kUnset;
    CoefficientRule m_coefficientRule = CoefficientRule::Editor;
    int m_shownKoshu = -1;  // the 工種 whose 種別 the 種別 list shows

    CEditorList* m_koshuList;
    CEditorList* m_shubetsuList;
    QLabel* m_line;
    QGridLayout* m_koshuButtons;
    QGridLayout* m_shubetsuButtons;
    QPushButton* m_koshuChange;
    QPushButton* m_koshuNew;
    QPushButton* m_koshuCopy;
    QPushButton* m_koshuDelete;
    QPushButton* m_koshuUp;
    QPushButton* m_koshuDown;
    QPushButton* m_shubetsuChange;
    QPushButton* m_shubetsuNew;
    QPushButton* m_shubetsuCopy;
    QPushButton* m_shubetsuInsert;
    QPushButton* m_shubetsuDelete;
    QPushButton* m_shubetsuUp;
    QPushButton* m_shubetsuDown;
    QPushButton* m_detail;
};

// The detail of a new or inserted 種別 of the 業務 starts over: no rates, quantities, trades or
// lines but the empty lines the 業務's detail dialog shows (土質 details of the standard soil type).
void ResetNewShubetsuDetail(CBukakeDetail& detail, int gyomuCode);
// The 土質 details of a 歩掛データ タイプ other than 通常 open in the expense-detail layout.
bool UsesShikiDetail(int gyomuCode, const CBukakeDetail& detail);

// Shared by the owners of the lists, the 歩掛 editor and the 歩掛 import.
// The offered 業務 of a 歩掛 file, in order, each entry holding its code; those the file lacks (or
// above 32) are left out. The first entry becomes current: its code, unset without one.
int FillBukakeGyomuCombo(QComboBox& combo, const CBukakeFile& file, const std::vector<uint8_t>& codes);
// Where a 業務 chosen in the list starts: its first 工種 and that one's first 種別 (-1: none).
void FirstKoshuShubetsu(const CBukakeGyomu* gyomu, int& koshu, int& shubetsu);
// The top row: "業務名" and the 業務 list (named gyomu).
QHBoxLayout* MakeBukakeGyomuRow(QWidget* parent, QComboBox*& combo);
// The bottom row: the colour legend, count empty labels named legend0, legend1, … one below the
// other, and the closing buttons "保存して終了" and "キャンセル", neither of them pressed by Enter.
QHBoxLayout* MakeBukakeBottomRow(QWidget* parent, QLabel** labels, size_t count, QPushButton* ok, QPushButton* cancel);
// The legend's first three lines for the 業務 shown (unset: as 業務 1), the third hidden; true for the
// 業務 of the new method (2, 3, 5, 7).
bool ShowBukakeLegend(QLabel* const* labels, int gyomuCode);
