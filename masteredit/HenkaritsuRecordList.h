#pragma once
#include <QWidget>
#include <array>

#include "master/BukakeFile.h"
#include "master/HenkaritsuFile.h"

class CEditorList;
class QPushButton;

// The records of one 業務 group of a 変化率・補正率 master in a list, with the eight buttons that
// edit them: 詳細設定 (also a double-click), 名前の変更, 新規作成, コピー, 挿入, 削除, 上へ移動 and
// 下へ移動. The rate editor has one, the rate import one for its source and one for its destination.
//
// New, copied and inserted records take the group's first free code of the user range 1000..2000
// and the user flag; a full range is told and nothing is added. A typed code must lie in 1..2000
// and be free in the group. When the list is given a 歩掛 copy, a changed code and a deletion
// rewrite the 歩掛 references to the record (after the user agrees) and raise the 歩掛-changed flag,
// which stays raised.
class CHenkaritsuRecordList : public QWidget {
    Q_OBJECT
public:
    enum Command { kDetail, kRename, kCreate, kCopy, kInsert, kDelete, kMoveUp, kMoveDown, kCommandCount };

    // title: the list's column title, to which each fill adds the count.
    explicit CHenkaritsuRecordList(const char* title, QWidget* parent = nullptr);

    // The master the list edits; bukake and bukakeChanged (both or neither) the 歩掛 copy whose
    // references follow the records' codes and its flag. The pointers outlive the list.
    void SetMaster(CHenkaritsuFile* file, CBukakeFile* bukake = nullptr, int* bukakeChanged = nullptr);
    // Shows the group of a 業務 (kUnset: none) and enables the buttons. A chosen index past the
    // group's end moves to its last record (-1 when it has none); a smaller one stays. A 業務 the
    // master has no group of still takes 新規作成: the new record starts the group, named groupName.
    void ShowGyomu(int gyomu, const std::string& groupName = std::string());
    int Gyomu() const { return m_gyomu; }
    // The group shown; null when there is none.
    CHenkaritsuGyomu* Group() const;

    CEditorList* List() const { return m_list; }
    QPushButton* Button(Command command) const { return m_buttons[command]; }
    int ChosenIndex() const;
    // The chosen record; null when none.
    CHenkaritsuRecord* ChosenRecord() const;
    // Makes a record chosen, refills the list, enables the buttons and shows the record.
    void Choose(int index);

    void OnDetail();
    void OnRename();
    void OnCreate();
    void OnCopy();
    void OnInsert();
    void OnDelete();
    void OnMoveUp();
    void OnMoveDown();

signals:
    // The chosen index changed (by the user or a command).
    void ChosenChanged(int index);

private:
    void Fill();
    void EnableButtons();
    // Rewrites the 歩掛 references of a record's code (newCode kUnset: the record goes).
    void RewriteBukake(const CHenkaritsuRecord& record, int newCode);
    // Asks the name dialog for a new record's name, code and flag; false when the range is full,
    // the dialog is cancelled or the code refused.
    bool AskNewRecord(const CHenkaritsuGyomu& group, CHenkaritsuRecord& record, int action);
    void Move(int step);
    void Finish(bool scroll = false);

    CEditorList* m_list;
    std::array<QPushButton*, kCommandCount> m_buttons{};
    CHenkaritsuFile* m_file = nullptr;
    CBukakeFile* m_bukake = nullptr;
    int* m_bukakeChanged = nullptr;
    int m_gyomu = kUnset;
    std::string m_groupName;
};
