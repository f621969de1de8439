#include "masteredit/HenkaritsuRecordList.h"

#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogkit/NameEditDlg.h"
#include "dialogkit/Tx.h"
#include "masteredit/EditorList.h"
#include "masteredit/EntryCodes.h"
#include "masteredit/HenkaritsuDetailDlg.h"
#include "masteredit/MasterEditTexts.h"
#include "platform/Host.h"

namespace {
constexpr int kGroupImage = 1;  // the rate-record picture of the strip
}  // namespace

CHenkaritsuRecordList::CHenkaritsuRecordList(const char* title, QWidget* parent) : QWidget(parent) {
    m_list = new CEditorList(this);
    m_list->setObjectName(QStringLiteral("list"));
    m_list->SetTitle(Tx(title));
    m_list->SetImages(ListStripImages(ListStrip::Henkaritsu));

    struct Look {
        const char* text;
        const char* name;
        void (CHenkaritsuRecordList::*command)();
    };
    const Look looks[kCommandCount] = {
        {masteredittext::kDetailDotsButton, "detail", &CHenkaritsuRecordList::OnDetail},
        {masteredittext::kRenameDotsButton, "rename", &CHenkaritsuRecordList::OnRename},
        {masteredittext::kCreateDotsButton, "create", &CHenkaritsuRecordList::OnCreate},
        {masteredittext::kCopyDotsButton, "copy", &CHenkaritsuRecordList::OnCopy},
        {masteredittext::kInsertDotsButton, "insert", &CHenkaritsuRecordList::OnInsert},
        {masteredittext::kDeleteButton, "delete", &CHenkaritsuRecordList::OnDelete},
        {masteredittext::kMoveUpButton, "up", &CHenkaritsuRecordList::OnMoveUp},
        {masteredittext::kMoveDownButton, "down", &CHenkaritsuRecordList::OnMoveDown},
    };
    auto* buttons = new QVBoxLayout;
    for (int c = 0; c < kCommandCount; ++c) {
        auto* b = new QPushButton(Tx(looks[c].text), this);
        b->setObjectName(QString::fromLatin1(looks[c].name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, looks[c].command);
        m_buttons[static_cast<size_t>(c)] = b;
        buttons->addWidget(b);
        // 詳細設定 and 名前の変更 stand apart from the commands that add, remove and move.
        if (c == kRename || c == kDelete) buttons->addSpacing(8);
    }
    buttons->addStretch();

    connect(m_list, &CEditorList::Chosen, this, [this](int index) {
        EnableButtons();
        emit ChosenChanged(index);
    });
    connect(m_list, &CEditorList::Clicked, this, [this] { EnableButtons(); });
    connect(m_list, &CEditorList::Opened, this, [this] { OnDetail(); });

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
}

void CHenkaritsuRecordList::SetMaster(CHenkaritsuFile* file, CBukakeFile* bukake, int* bukakeChanged) {
    m_file = file;
    m_bukake = bukake;
    m_bukakeChanged = bukakeChanged;
}

CHenkaritsuGyomu* CHenkaritsuRecordList::Group() const {
    return m_file && !IsUnset(m_gyomu) ? m_file->FindGyomu(m_gyomu) : nullptr;
}

int CHenkaritsuRecordList::ChosenIndex() const { return m_list->ChosenIndex(); }

CHenkaritsuRecord* CHenkaritsuRecordList::ChosenRecord() const {
    const CHenkaritsuGyomu* group = Group();
    const int index = ChosenIndex();
    return group && index >= 0 && index < group->GetSize() ? group->GetRecord(index) : nullptr;
}

void CHenkaritsuRecordList::ShowGyomu(int gyomu, const std::string& groupName) {
    m_gyomu = gyomu;
    m_groupName = groupName;
    const CHenkaritsuGyomu* group = Group();
    const int count = group ? group->GetSize() : 0;
    // The commands need an index inside the group shown.
    if (ChosenIndex() >= count) m_list->SetChosenIndex(count - 1);
    if (!group) m_list->SetChosenIndex(-1);
    Fill();
    EnableButtons();
    emit ChosenChanged(ChosenIndex());
}

void CHenkaritsuRecordList::Fill() {
    std::vector<CEditorList::Entry> entries;
    if (const CHenkaritsuGyomu* group = Group())
        for (int i = 0; i < group->GetSize(); ++i)
            entries.push_back({QString::fromStdString(group->GetRecord(i)->m_name), kGroupImage});
    m_list->setEnabled(false);
    m_list->Fill(entries);
    m_list->setEnabled(true);
}

void CHenkaritsuRecordList::EnableButtons() {
    const bool chosen = ChosenRecord() != nullptr;
    for (Command c : {kDetail, kRename, kCopy, kInsert, kDelete, kMoveUp, kMoveDown}) m_buttons[c]->setEnabled(chosen);
    m_buttons[kCreate]->setEnabled(m_file && !IsUnset(m_gyomu));
}

void CHenkaritsuRecordList::Choose(int index) {
    m_list->SetChosenIndex(index);
    Fill();
    EnableButtons();
    emit ChosenChanged(index);
    Finish(true);
}

void CHenkaritsuRecordList::Finish(bool scroll) { m_list->ShowChosen(scroll); }

void CHenkaritsuRecordList::OnDetail() {
    if (CHenkaritsuRecord* record = ChosenRecord()) {
        CHenkaritsuDetailDlg dialog(this);
        dialog.SetRecord(*record);
        dialog.SetGyomuCode(m_gyomu);
        if (dialog.DoModal() == IDOK) dialog.GetRecord(*record);
    }
    Finish();
}

void CHenkaritsuRecordList::RewriteBukake(const CHenkaritsuRecord& record, int newCode) {
    if (!m_bukake || !m_bukakeChanged) return;
    if (m_bukake->ReplaceHenkaritsuCode(Group()->m_code, record.m_code, newCode, record.m_type)) *m_bukakeChanged = 1;
}

void CHenkaritsuRecordList::OnRename() {
    CHenkaritsuRecord* record = ChosenRecord();
    if (!record) {
        Finish();
        return;
    }
    const CHenkaritsuGyomu& group = *Group();
    CNameEditDlg dialog(this);
    dialog.SetAction(CNameEditDlg::Rename);
    dialog.SetName(QString::fromStdString(record->m_name));
    dialog.SetCode(record->m_code);
    dialog.SetUserCreated(record->m_userCreated);
    // A code another record has would move that record's 歩掛 references onto this one for good.
    if (dialog.DoModal() == IDOK &&
        CheckEntryCode(dialog.GetCode(), kHenkaritsuCodeRange, group.GetSize(),
                       [&group](int i) { return group.GetRecord(i)->m_code; }, ChosenIndex())) {
        if (dialog.GetCode() != record->m_code) RewriteBukake(*record, dialog.GetCode());
        record->m_name = dialog.GetName().toStdString();
        record->m_code = dialog.GetCode();
        record->m_userCreated = dialog.GetUserCreated();
        Fill();
    }
    Finish();
}

bool CHenkaritsuRecordList::AskNewRecord(const CHenkaritsuGyomu& group, CHenkaritsuRecord& record, int action) {
    record.m_code = group.GetNewRecordCode(1);
    record.m_userCreated = 1;
    if (!CheckFreeCode(record.m_code, kHenkaritsuCodeRange)) return false;
    CNameEditDlg dialog(this);
    dialog.SetAction(action);
    dialog.SetName(QString::fromStdString(record.m_name));
    dialog.SetCode(record.m_code);
    dialog.SetUserCreated(record.m_userCreated);
    if (dialog.DoModal() != IDOK) return false;
    if (!CheckEntryCode(dialog.GetCode(), kHenkaritsuCodeRange, group.GetSize(),
                        [&group](int i) { return group.GetRecord(i)->m_code; }, -1))
        return false;
    record.m_name = dialog.GetName().toStdString();
    record.m_code = dialog.GetCode();
    record.m_userCreated = dialog.GetUserCreated();
    return true;
}

void CHenkaritsuRecordList::OnCreate() {
    CHenkaritsuGyomu* group = Group();
    // Without a group of the 業務 the new record starts one.
    std::unique_ptr<CHenkaritsuGyomu> started;
    if (!group && m_file && !IsUnset(m_gyomu)) {
        started = std::make_unique<CHenkaritsuGyomu>();
        started->m_code = m_gyomu;
        started->m_name = m_groupName;
        group = started.get();
    }
    if (group) {
        auto record = std::make_unique<CHenkaritsuRecord>();
        if (AskNewRecord(*group, *record, CNameEditDlg::New)) {
            const int index = group->AddRecord(std::move(record));
            if (started) m_file->AddGyomu(std::move(started));
            Choose(index);
            return;
        }
    }
    Finish();
}

void CHenkaritsuRecordList::OnCopy() {
    if (const CHenkaritsuRecord* chosen = ChosenRecord()) {
        auto record = std::make_unique<CHenkaritsuRecord>(*chosen);
        record->m_name = masteredittext::kCopyNamePrefix + chosen->m_name;
        if (AskNewRecord(*Group(), *record, CNameEditDlg::Copy)) {
            Choose(Group()->AddRecord(std::move(record)));
            return;
        }
    }
    Finish();
}

void CHenkaritsuRecordList::OnInsert() {
    if (ChosenRecord()) {
        auto record = std::make_unique<CHenkaritsuRecord>();
        if (AskNewRecord(*Group(), *record, CNameEditDlg::Insert)) {
            Choose(Group()->InsertRecord(ChosenIndex(), std::move(record)));
            return;
        }
    }
    Finish();
}

void CHenkaritsuRecordList::OnDelete() {
    const CHenkaritsuRecord* record = ChosenRecord();
    if (!record) {
        Finish();
        return;
    }
    const std::string question = masteredittext::kHenkaritsuRecordBefore + record->m_name + masteredittext::kDeleteAfter;
    if (Host().MessageBox(question, masteredittext::kConfirmCaption, MsgButtons::YesNo, MsgIcon::Exclamation, 1) !=
        IDYES) {
        Finish();
        return;
    }
    RewriteBukake(*record, kUnset);
    CHenkaritsuGyomu& group = *Group();
    const int index = ChosenIndex();
    group.RemoveRecord(index);
    m_list->SetChosenIndex(index == group.GetSize() ? index - 1 : index);
    Fill();
    EnableButtons();
    emit ChosenChanged(ChosenIndex());
    Finish();
}

void CHenkaritsuRecordList::Move(int step) {
    CHenkaritsuGyomu* group = Group();
    const int index = ChosenIndex();
    if (ChosenRecord() && group->MoveRecord(index, index + step) >= 0) {
        Choose(index + step);
        return;
    }
    Finish();
}

void CHenkaritsuRecordList::OnMoveUp() { Move(-1); }

void CHenkaritsuRecordList::OnMoveDown() { Move(1); }
