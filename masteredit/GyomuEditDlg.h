#pragma once
#include <array>
#include <memory>

#include "dialogkit/SekisanDialog.h"
#include "master/BukakeFile.h"
#include "master/HenkaritsuFile.h"
#include "master/ShokeihiFile.h"

class CEditorList;
class QPushButton;

// Edits the 業務 lists of three masters side by side, each in its own copy: the 業務 groups of the
// 歩掛 master, those of the 変化率・補正率 master and the records of the 諸経費 master. In each list
// the user renames an entry (name and code), creates one at the end, inserts one before the chosen
// entry and deletes one with everything it owns. A new entry takes the first free 業務 code; a code
// typed in the name dialog must lie in 1..32 and be free in its list. Changing a code rewrites
// nothing else.
class CGyomuEditDlg : public CSekisanDialog {
    Q_OBJECT
public:
    // The lists, left to right.
    enum ListId { kBukake, kHenkaritsu, kShokeihi, kListCount };

    explicit CGyomuEditDlg(QWidget* parent = nullptr);
    ~CGyomuEditDlg() override;

    void SetBukakeFile(const CBukakeFile& file) { m_bukake.Copy(file); }
    void SetHenkaritsuFile(const CHenkaritsuFile& file) { m_henkaritsu.Copy(file); }
    void SetShokeihiFile(const CShokeihiFile& file) { m_shokeihi.Copy(file); }
    const CBukakeFile& GetBukakeFile() const { return m_bukake; }
    const CHenkaritsuFile& GetHenkaritsuFile() const { return m_henkaritsu; }
    const CShokeihiFile& GetShokeihiFile() const { return m_shokeihi; }

    void OnInitDialog() override;

    // The commands of a list (its buttons and, for a rename, a double-click).
    void OnRename(ListId id);
    void OnCreate(ListId id);
    void OnInsert(ListId id);
    void OnDelete(ListId id);

    // The entries of one master, as the list edits them.
    class Entries;

private:
    struct Side {
        std::unique_ptr<Entries> entries;
        CEditorList* list = nullptr;
        QPushButton* rename = nullptr;
        QPushButton* create = nullptr;
        QPushButton* insert = nullptr;
        QPushButton* remove = nullptr;
        const char* deleteBefore = nullptr;
    };

    void FillList(Side& side);
    void EnableButtons(Side& side);
    // Asks the name dialog for a new entry's name and code and puts it at index; false when
    // cancelled or refused.
    bool AddEntry(Side& side, int action, int index);

    CBukakeFile m_bukake;
    CHenkaritsuFile m_henkaritsu;
    CShokeihiFile m_shokeihi;
    std::array<Side, kListCount> m_sides;
};
