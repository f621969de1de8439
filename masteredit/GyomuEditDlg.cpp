#include "masteredit/GyomuEditDlg.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogkit/DialogTexts.h"
#include "dialogkit/NameEditDlg.h"
#include "dialogkit/Tx.h"
#include "masteredit/EditorList.h"
#include "masteredit/EntryCodes.h"
#include "masteredit/MasterEditTexts.h"
#include "platform/Host.h"
#include "report/ReportTexts.h"

// What a list needs of its master: its entries' names and codes, a free code, and adding and
// removing entries (a removed entry goes with everything it owns).
class CGyomuEditDlg::Entries {
public:
    virtual ~Entries() = default;
    virtual int Count() const = 0;
    virtual std::string Name(int index) const = 0;
    virtual int Code(int index) const = 0;
    virtual void Set(int index, const std::string& name, int code) = 0;
    virtual int NewCode() const = 0;
    // Puts a new entry with its class defaults at index (Count(): at the end); its index.
    virtual int Add(int index, const std::string& name, int code) = 0;
    virtual void Remove(int index) = 0;
};

namespace {

int GroupCount(const CBukakeFile& file) { return file.GetCount(); }
int GroupCount(const CHenkaritsuFile& file) { return file.GetSize(); }

// The 業務 groups of the 歩掛 and 変化率・補正率 masters share their operations' names.
template <class File, class Group>
class GroupEntries : public CGyomuEditDlg::Entries {
public:
    explicit GroupEntries(File& file) : m_file(file) {}
    int Count() const override { return GroupCount(m_file); }
    std::string Name(int index) const override { return m_file.GetGyomu(index)->m_name; }
    int Code(int index) const override { return m_file.GetGyomu(index)->m_code; }
    void Set(int index, const std::string& name, int code) override {
        m_file.GetGyomu(index)->m_name = name;
        m_file.GetGyomu(index)->m_code = code;
    }
    int NewCode() const override { return m_file.GetNewGyomuCode(); }
    int Add(int index, const std::string& name, int code) override {
        auto group = std::make_unique<Group>();
        group->m_name = name;
        group->m_code = code;
        return index >= Count() ? m_file.AddGyomu(std::move(group)) : m_file.InsertGyomu(index, std::move(group));
    }
    void Remove(int index) override { m_file.RemoveGyomu(index); }

private:
    File& m_file;
};

class ShokeihiEntries : public CGyomuEditDlg::Entries {
public:
    explicit ShokeihiEntries(CShokeihiFile& file) : m_file(file) {}
    int Count() const override { return m_file.GetCount(); }
    std::string Name(int index) const override { return m_file.GetRecord(index)->m_name; }
    int Code(int index) const override { return m_file.GetRecord(index)->m_code; }
    void Set(int index, const std::string& name, int code) override {
        m_file.GetRecord(index)->m_name = name;
        m_file.GetRecord(index)->m_code = code;
    }
    int NewCode() const override { return m_file.GetNewRecordCode(); }
    int Add(int index, const std::string& name, int code) override {
        auto record = std::make_unique<CShokeihiRecord>();
        record->m_name = name;
        record->m_code = code;
        return index >= Count() ? m_file.AddRecord(std::move(record)) : m_file.InsertRecord(index, std::move(record));
    }
    void Remove(int index) override { m_file.RemoveRecord(index); }

private:
    CShokeihiFile& m_file;
};

}  // namespace

CGyomuEditDlg::CGyomuEditDlg(QWidget* parent) : CSekisanDialog(parent) {
    setWindowTitle(Tx(masteredittext::kGyomuEditCaption));
    m_sides[kBukake].entries = std::make_unique<GroupEntries<CBukakeFile, CBukakeGyomu>>(m_bukake);
    m_sides[kHenkaritsu].entries = std::make_unique<GroupEntries<CHenkaritsuFile, CHenkaritsuGyomu>>(m_henkaritsu);
    m_sides[kShokeihi].entries = std::make_unique<ShokeihiEntries>(m_shokeihi);

    struct Look {
        const char* name;
        const char* title;
        const char* deleteBefore;
        ListStrip strip;
    };
    const Look looks[kListCount] = {
        {"bukake", masteredittext::kBukakeGyomuListTitle, masteredittext::kDeleteBukakeGyomuBefore, ListStrip::Bukake},
        {"henkaritsu", masteredittext::kHenkaritsuGyomuListTitle, masteredittext::kDeleteHenkaritsuGyomuBefore,
         ListStrip::Henkaritsu},
        {"shokeihi", masteredittext::kShokeihiGyomuListTitle, masteredittext::kDeleteShokeihiGyomuBefore,
         ListStrip::Shokeihi},
    };
    auto* lists = new QGridLayout;
    for (int id = 0; id < kListCount; ++id) {
        Side& side = m_sides[static_cast<size_t>(id)];
        const Look& look = looks[id];
        const QString name = QString::fromLatin1(look.name);
        side.deleteBefore = look.deleteBefore;
        side.list = new CEditorList(this);
        side.list->setObjectName(name + QStringLiteral("List"));
        side.list->SetTitle(Tx(look.title));
        side.list->SetImages(ListStripImages(look.strip));
        auto button = [&](const char* text, const char* suffix) {
            auto* b = new QPushButton(Tx(text), this);
            b->setObjectName(name + QString::fromLatin1(suffix));
            b->setAutoDefault(false);
            return b;
        };
        side.rename = button(masteredittext::kRenameDotsButton, "Rename");
        side.create = button(masteredittext::kCreateDotsButton, "Create");
        side.insert = button(masteredittext::kInsertDotsButton, "Insert");
        side.remove = button(masteredittext::kDeleteButton, "Delete");

        const auto list = static_cast<ListId>(id);
        connect(side.rename, &QPushButton::clicked, this, [this, list] { OnRename(list); });
        connect(side.create, &QPushButton::clicked, this, [this, list] { OnCreate(list); });
        connect(side.insert, &QPushButton::clicked, this, [this, list] { OnInsert(list); });
        connect(side.remove, &QPushButton::clicked, this, [this, list] { OnDelete(list); });
        connect(side.list, &CEditorList::Chosen, this, [this, list] { EnableButtons(m_sides[list]); });
        connect(side.list, &CEditorList::Clicked, this, [this, list] { EnableButtons(m_sides[list]); });
        connect(side.list, &CEditorList::Opened, this, [this, list] { OnRename(list); });

        lists->addWidget(side.list, 0, id);
        auto* buttons = new QGridLayout;
        buttons->addWidget(side.rename, 0, 0);
        buttons->addWidget(side.create, 0, 1);
        buttons->addWidget(side.insert, 1, 0);
        buttons->addWidget(side.remove, 1, 1);
        lists->addLayout(buttons, 1, id);
    }

    auto [ok, cancel] = MakeOkCancelButtons();
    ok->setText(Tx(reporttext::kSaveAndClose));
    cancel->setText(Tx(dialogtext::kCancel));
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(ok);
    bottom->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists, 1);
    layout->addLayout(bottom);
    resize(780, 420);
}

CGyomuEditDlg::~CGyomuEditDlg() = default;

void CGyomuEditDlg::OnInitDialog() {
    for (Side& side : m_sides) {
        FillList(side);
        EnableButtons(side);
    }
    for (Side& side : m_sides) side.list->ShowChosen();
}

void CGyomuEditDlg::FillList(Side& side) {
    std::vector<CEditorList::Entry> entries;
    for (int i = 0; i < side.entries->Count(); ++i)
        entries.push_back({QString::fromStdString(side.entries->Name(i)), 0});
    side.list->Fill(entries);
}

void CGyomuEditDlg::EnableButtons(Side& side) {
    const bool chosen = side.list->ChosenIndex() != -1;
    side.rename->setEnabled(chosen);
    side.insert->setEnabled(chosen);
    side.remove->setEnabled(chosen);
    side.create->setEnabled(true);
}

void CGyomuEditDlg::OnRename(ListId id) {
    Side& side = m_sides[id];
    const int index = side.list->ChosenIndex();
    if (index >= 0 && index < side.entries->Count()) {
        CNameEditDlg dialog(this);
        dialog.SetAction(CNameEditDlg::Rename);
        dialog.SetName(QString::fromStdString(side.entries->Name(index)));
        dialog.SetCode(side.entries->Code(index));
        if (dialog.DoModal() == IDOK &&
            CheckEntryCode(dialog.GetCode(), kGyomuCodeRange, side.entries->Count(),
                           [&side](int i) { return side.entries->Code(i); }, index)) {
            side.entries->Set(index, dialog.GetName().toStdString(), dialog.GetCode());
            FillList(side);
        }
    }
    side.list->ShowChosen();
}

bool CGyomuEditDlg::AddEntry(Side& side, int action, int index) {
    const int code = side.entries->NewCode();
    if (!CheckFreeCode(code, kGyomuCodeRange)) return false;
    CNameEditDlg dialog(this);
    dialog.SetAction(action);
    dialog.SetName(QString());
    dialog.SetCode(code);
    if (dialog.DoModal() != IDOK) return false;
    if (!CheckEntryCode(dialog.GetCode(), kGyomuCodeRange, side.entries->Count(),
                        [&side](int i) { return side.entries->Code(i); }, -1))
        return false;
    side.list->SetChosenIndex(side.entries->Add(index, dialog.GetName().toStdString(), dialog.GetCode()));
    FillList(side);
    EnableButtons(side);
    return true;
}

void CGyomuEditDlg::OnCreate(ListId id) {
    Side& side = m_sides[id];
    AddEntry(side, CNameEditDlg::New, side.entries->Count());
    side.list->ShowChosen(true);
}

void CGyomuEditDlg::OnInsert(ListId id) {
    Side& side = m_sides[id];
    const int index = side.list->ChosenIndex();
    if (index >= 0 && index < side.entries->Count()) AddEntry(side, CNameEditDlg::Insert, index);
    side.list->ShowChosen();
}

void CGyomuEditDlg::OnDelete(ListId id) {
    Side& side = m_sides[id];
    const int index = side.list->ChosenIndex();
    if (index >= 0 && index < side.entries->Count()) {
        const std::string question = side.deleteBefore + side.entries->Name(index) + masteredittext::kDeleteAfter;
        if (Host().MessageBox(question, masteredittext::kConfirmCaption, MsgButtons::YesNo, MsgIcon::Exclamation, 1) ==
            IDYES) {
            side.entries->Remove(index);
            if (index == side.entries->Count()) side.list->SetChosenIndex(index - 1);
            FillList(side);
            EnableButtons(side);
        }
    }
    side.list->ShowChosen();
}
