#include "masteredit/KoshuShubetsuLists.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogkit/DialogTexts.h"
#include "dialogkit/Tx.h"
#include "masteredit/BukakeDetailDlg.h"
#include "masteredit/BukakeShikiDetailDlg.h"
#include "masteredit/EditorList.h"
#include "masteredit/KoshuEditDlg.h"
#include "masteredit/MasterEditTexts.h"
#include "masteredit/ShubetsuEditDlg.h"
#include "master/KoshuCategory.h"
#include "platform/Host.h"
#include "report/ReportTexts.h"

namespace {

namespace t = masteredittext;

// The 業務 whose 種別 coefficient is a 技術経費.
bool HasGijutsuKeihi(int gyomu) { return IsStandardGyomu(gyomu) && !IsSokuryoGyomu(gyomu); }
// The 業務 whose new 工種 and 種別 follow the method of the file or of their 工種.
bool FollowsMethod(int gyomu) { return IsLabourSplitGyomu(gyomu); }
// The 土質 工種 of the 全地連 edition.
bool IsZenchirenEntry(int gyomu, int32_t code) { return IsDoshitsuGyomu(gyomu) && IsZenchirenKoshu(code); }

// The pictures of the 歩掛 strip: five blocks of nine (a 業務, 工種 of code groups -1..5, a 種別), one
// block per kind of entry.
constexpr int kKoshuBase = 2;        // standard: category + 2
constexpr int kUserBlock = 9;        // user-created
constexpr int kZenchirenBlock = 18;  // the 全地連 edition
constexpr int kOldUserBlock = 27;    // user-created by the 従来の積算手法
constexpr int kOldBlock = 36;        // standard by the 従来の積算手法
constexpr int kShubetsuImage = 8;

// 工種 69 and 90..99 hold the 業務's fixed rows.
bool IsUndeletableKoshu(int32_t code) { return code == Koshu::Common || IsFixedKoshu(code); }

}  // namespace

CKoshuShubetsuLists::CKoshuShubetsuLists(const QString& name, const char* koshuTitle, const char* shubetsuTitle,
                                         QWidget* parent)
    : QWidget(parent), m_name(name) {
    auto objectName = [&name](const char* suffix) {
        const QString s = QString::fromLatin1(suffix);
        return name.isEmpty() ? s : name + s.left(1).toUpper() + s.mid(1);
    };
    const std::vector<QIcon> images = ListStripImages(ListStrip::Bukake);
    auto list = [&](const char* title, const char* suffix) {
        auto* l = new CEditorList(this);
        l->setObjectName(objectName(suffix));
        l->SetTitle(Tx(title));
        l->SetImages(images);
        l->setMinimumWidth(220);
        return l;
    };
    m_koshuList = list(koshuTitle, "koshuList");
    m_shubetsuList = list(shubetsuTitle, "shubetsuList");
    m_line = new QLabel(this);
    m_line->setObjectName(objectName("coefficient"));
    m_line->setFrameShape(QFrame::StyledPanel);

    m_koshuButtons = new QGridLayout;
    m_shubetsuButtons = new QGridLayout;
    auto button = [&](QGridLayout* column, int row, const char* text, const char* suffix) {
        auto* b = new QPushButton(Tx(text), this);
        b->setObjectName(objectName(suffix));
        b->setAutoDefault(false);
        column->addWidget(b, row, 0);
        return b;
    };
    m_koshuChange = button(m_koshuButtons, 0, t::kKoshuChangeButton, "koshuChange");
    m_koshuNew = button(m_koshuButtons, 1, t::kKoshuNewButton, "koshuNew");
    m_koshuCopy = button(m_koshuButtons, 2, t::kKoshuCopyButton, "koshuCopy");
    m_koshuDelete = button(m_koshuButtons, 3, t::kKoshuDeleteButton, "koshuDelete");
    m_koshuUp = button(m_koshuButtons, 4, t::kKoshuUpButton, "koshuUp");
    m_koshuDown = button(m_koshuButtons, 5, t::kKoshuDownButton, "koshuDown");
    m_detail = button(m_shubetsuButtons, 0, t::kDetailButton, "detail");
    m_shubetsuChange = button(m_shubetsuButtons, 1, t::kShubetsuChangeButton, "shubetsuChange");
    m_shubetsuNew = button(m_shubetsuButtons, 2, t::kShubetsuNewButton, "shubetsuNew");
    m_shubetsuCopy = button(m_shubetsuButtons, 3, t::kShubetsuCopyButton, "shubetsuCopy");
    m_shubetsuInsert = button(m_shubetsuButtons, 4, t::kShubetsuInsertButton, "shubetsuInsert");
    m_shubetsuDelete = button(m_shubetsuButtons, 5, t::kShubetsuDeleteButton, "shubetsuDelete");
    m_shubetsuUp = button(m_shubetsuButtons, 6, t::kShubetsuUpButton, "shubetsuUp");
    m_shubetsuDown = button(m_shubetsuButtons, 7, t::kShubetsuDownButton, "shubetsuDown");
    m_koshuButtons->setRowStretch(10, 1);
    m_shubetsuButtons->setRowStretch(10, 1);

    connect(m_koshuChange, &QPushButton::clicked, this, [this] { OnKoshuChange(); });
    connect(m_koshuNew, &QPushButton::clicked, this, [this] { OnKoshuNew(); });
    connect(m_koshuCopy, &QPushButton::clicked, this, [this] { OnKoshuCopy(); });
    connect(m_koshuDelete, &QPushButton::clicked, this, [this] { OnKoshuDelete(); });
    connect(m_koshuUp, &QPushButton::clicked, this, [this] { OnKoshuMove(-1); });
    connect(m_koshuDown, &QPushButton::clicked, this, [this] { OnKoshuMove(1); });
    connect(m_shubetsuChange, &QPushButton::clicked, this, [this] { OnShubetsuChange(); });
    connect(m_shubetsuNew, &QPushButton::clicked, this, [this] { OnShubetsuNew(); });
    connect(m_shubetsuCopy, &QPushButton::clicked, this, [this] { OnShubetsuCopy(); });
    connect(m_shubetsuInsert, &QPushButton::clicked, this, [this] { OnShubetsuInsert(); });
    connect(m_shubetsuDelete, &QPushButton::clicked, this, [this] { OnShubetsuDelete(); });
    connect(m_shubetsuUp, &QPushButton::clicked, this, [this] { OnShubetsuMove(-1); });
    connect(m_shubetsuDown, &QPushButton::clicked, this, [this] { OnShubetsuMove(1); });
    connect(m_detail, &QPushButton::clicked, this, [this] { OnDetail(); });

    // Another 工種 brings its first 種別; a click on the current one keeps the 種別.
    connect(m_koshuList, &CEditorList::Chosen, this, [this](int index) {
        if (index != m_shownKoshu) m_shubetsuList->SetChosenIndex(0);
        FillShubetsu();
        UpdateState();
    });
    connect(m_shubetsuList, &CEditorList::Chosen, this, [this] { UpdateState(); });
    connect(m_shubetsuList, &CEditorList::Opened, this, [this] { OnDetail(); });

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_koshuList, 1);
    layout->addLayout(m_koshuButtons);
    auto* shubetsu = new QVBoxLayout;
    shubetsu->addWidget(m_shubetsuList, 1);
    shubetsu->addWidget(m_line);
    layout->addLayout(shubetsu, 1);
    layout->addLayout(m_shubetsuButtons);
}

void CKoshuShubetsuLists::SetDetailMasters(const CHenkaritsuFile* henkaritsu, const CTankaFile* tanka,
                                           CZairyoTankaFile* zairyo, int* zairyoChanged) {
    m_henkaritsu = henkaritsu;
    m_tanka = tanka;
    m_zairyo = zairyo;
    m_zairyoChanged = zairyoChanged;
}

CBukakeGyomu* CKoshuShubetsuLists::Gyomu() const {
    return m_file && !IsUnset(m_gyomuCode) ? m_file->FindGyomu(m_gyomuCode) : nullptr;
}

CBukakeKoshu* CKoshuShubetsuLists::CurrentKoshu() const {
    const CBukakeGyomu* g = Gyomu();
    return g ? g->GetKoshu(m_koshuList->ChosenIndex()) : nullptr;
}

CBukakeShubetsu* CKoshuShubetsuLists::CurrentShubetsu() const {
    const CBukakeKoshu* k = CurrentKoshu();
    return k ? k->GetShubetsu(m_shubetsuList->ChosenIndex()) : nullptr;
}

int CKoshuShubetsuLists::KoshuIndex() const { return m_koshuList->ChosenIndex(); }
int CKoshuShubetsuLists::ShubetsuIndex() const { return m_shubetsuList->ChosenIndex(); }

void CKoshuShubetsuLists::ShowGyomu(int gyomuCode, int koshu, int shubetsu) {
    m_gyomuCode = gyomuCode;
    m_koshuList->SetChosenIndex(koshu);
    m_shubetsuList->SetChosenIndex(shubetsu);
    FillKoshu();
    FillShubetsu();
    UpdateState();
    m_koshuList->ShowChosen();
    m_shubetsuList->ShowChosen();
}

void CKoshuShubetsuLists::ChooseKoshu(int index, int shubetsu, bool focusShubetsu) {
    m_koshuList->SetChosenIndex(index);
    m_shubetsuList->SetChosenIndex(shubetsu);
    FillShubetsu();
    UpdateState();
    // Both rows selected; the focus ends in the list asked for.
    if (focusShubetsu) {
        m_koshuList->ShowChosen(true);
        m_shubetsuList->ShowChosen(true);
    } else {
        m_shubetsuList->ShowChosen(true);
        m_koshuList->ShowChosen(true);
    }
}

void CKoshuShubetsuLists::ChooseShubetsu(int index) {
    m_shubetsuList->SetChosenIndex(index);
    FillShubetsu();
    UpdateState();
    m_shubetsuList->ShowChosen(true);
}

int CKoshuShubetsuLists::KoshuImage(int gyomuCode, const CBukakeKoshu& koshu) {
    const int category = koshu.GetCodeCategory();
    const bool conventional = koshu.m_splitFlag == 1;
    if (koshu.m_userCreated == 1) return category + kKoshuBase + (conventional ? kOldUserBlock : kUserBlock);
    if (IsZenchirenEntry(gyomuCode, koshu.m_code) && !conventional)
        return category + kKoshuBase + kZenchirenBlock;
    return category + kKoshuBase + (conventional ? kOldBlock : 0);
}

int CKoshuShubetsuLists::ShubetsuImage(int gyomuCode, const CBukakeKoshu& koshu, const CBukakeShubetsu& shubetsu) {
    const bool conventional = shubetsu.m_conventional == 1;
    if (shubetsu.m_userCreated == 1) return kShubetsuImage + (conventional ? kOldUserBlock : kUserBlock);
    if (IsZenchirenEntry(gyomuCode, koshu.m_code) && !conventional) return kShubetsuImage + kZenchirenBlock;
    return kShubetsuImage + (conventional ? kOldBlock : 0);
}

QString CKoshuShubetsuLists::CoefficientText(int gyomuCode, const CBukakeShubetsu* shubetsu, CoefficientRule rule) {
    const bool gijutsuKeihi = rule == CoefficientRule::Editor ? HasGijutsuKeihi(gyomuCode) : IsSekkeiGyomu(gyomuCode);
    const char* prefix = IsSokuryoGyomu(gyomuCode) ? t::kSeidoKeisuPrefix
                         : gijutsuKeihi            ? t::kGijutsuKeihiPrefix
                                                   : t::kOtherKeisuPrefix;
    if (!shubetsu) return Tx(prefix) + Tx(t::kNoCoefficient);
    if (IsUnset(shubetsu->m_coefficient) || prefix == t::kOtherKeisuPrefix)
        return Tx(t::kOtherKeisuPrefix) + Tx(t::kNoCoefficient);
    return Tx(prefix) + QString::asprintf("%1.2f", shubetsu->m_coefficient / 100.0);
}

void CKoshuShubetsuLists::FillKoshu() {
    std::vector<CEditorList::Entry> entries;
    if (const CBukakeGyomu* g = Gyomu())
        for (int i = 0; i < g->GetCount(); ++i) {
            const CBukakeKoshu& k = *g->GetKoshu(i);
            entries.push_back({QString::fromStdString(k.m_name), KoshuImage(m_gyomuCode, k)});
        }
    m_koshuList->setEnabled(false);
    m_koshuList->Fill(entries);
    m_koshuList->setEnabled(true);
    const int count = static_cast<int>(entries.size());
    if (count == 0) m_shubetsuList->SetChosenIndex(-1);
    if (m_koshuList->ChosenIndex() >= count) m_koshuList->SetChosenIndex(count - 1);
}

void CKoshuShubetsuLists::FillShubetsu() {
    const CBukakeKoshu* koshu = CurrentKoshu();
    m_shownKoshu = koshu ? m_koshuList->ChosenIndex() : -1;
    std::vector<CEditorList::Entry> entries;
    if (koshu)
        for (int i = 0; i < koshu->GetCount(); ++i) {
            const CBukakeShubetsu& s = *koshu->GetShubetsu(i);
            entries.push_back({QString::fromStdString(s.m_name), ShubetsuImage(m_gyomuCode, *koshu, s)});
        }
    m_shubetsuList->Fill(entries);
    // An index one past the end steps back to the last 種別, one further past starts at the first
    // (after a 工種 is deleted, the next one's list); none when the list is empty.
    const int count = static_cast<int>(entries.size());
    const int chosen = m_shubetsuList->ChosenIndex();
    if (!koshu || count == 0)
        m_shubetsuList->SetChosenIndex(-1);
    else if (chosen == count)
        m_shubetsuList->SetChosenIndex(count - 1);
    else if (chosen > count)
        m_shubetsuList->SetChosenIndex(0);
}

void CKoshuShubetsuLists::UpdateState() {
    const CBukakeKoshu* koshu = CurrentKoshu();
    const CBukakeShubetsu* shubetsu = CurrentShubetsu();
    m_line->setText(CoefficientText(m_gyomuCode, shubetsu, m_coefficientRule));
    const bool grouped = koshu && koshu->GetCodeCategory() != -1;
    m_koshuChange->setEnabled(koshu);
    m_koshuCopy->setEnabled(koshu);
    m_koshuDelete->setEnabled(koshu && !IsUndeletableKoshu(koshu->m_code));
    m_koshuUp->setEnabled(grouped);
    m_koshuDown->setEnabled(grouped);
    m_shubetsuNew->setEnabled(grouped);
    m_koshuNew->setEnabled(true);
    for (QPushButton* b : {m_shubetsuChange, m_shubetsuCopy, m_shubetsuInsert, m_shubetsuDelete, m_shubetsuUp,
                           m_shubetsuDown, m_detail})
        b->setEnabled(shubetsu);
    emit StateChanged();
}

void CKoshuShubetsuLists::AfterKoshuEdit(bool scroll) {
    FillKoshu();
    FillShubetsu();
    UpdateState();
    m_koshuList->ShowChosen(scroll);
}

void CKoshuShubetsuLists::AfterShubetsuEdit(bool scroll) {
    FillShubetsu();
    UpdateState();
    m_shubetsuList->ShowChosen(scroll);
}

bool CKoshuShubetsuLists::AskDelete(const char* before, const std::string& name) {
    return Host().MessageBox(before + name + t::kDeleteAfter, t::kConfirmCaption, MsgButtons::YesNo,
                             MsgIcon::Exclamation, 1) == IDYES;
}

// ---------------------------------------------------------------------------------------------
// 工種

void CKoshuShubetsuLists::OnKoshuChange() {
    if (CBukakeKoshu* koshu = CurrentKoshu()) {
        CKoshuEditDlg dialog(this);
        dialog.SetKoshu(*koshu);
        dialog.SetCodeGroup(koshu->GetCodeCategory());
        dialog.SetGyomuCode(m_gyomuCode);
        dialog.SetMode(CKoshuEditDlg::Change);
        if (dialog.DoModal() == IDOK) dialog.GetKoshu(*koshu);
    }
    AfterKoshuEdit();
}

void CKoshuShubetsuLists::OnKoshuNew() {
    CBukakeGyomu* gyomu = Gyomu();
    if (!gyomu) return;
    auto koshu = std::make_unique<CBukakeKoshu>();
    koshu->m_userCreated = 1;
    if (FollowsMethod(m_gyomuCode)) koshu->m_splitFlag = m_file->m_splitFlag != 0 ? 1 : 0;
    CKoshuEditDlg dialog(this);
    dialog.SetKoshu(*koshu);
    dialog.SetGyomuCode(m_gyomuCode);
    dialog.SetMode(CKoshuEditDlg::New);
    if (dialog.DoModal() == IDOK) {
        dialog.GetKoshu(*koshu);
        bool add = true;
        if (koshu->m_userCreated) {
            const int code = gyomu->GetNewKoshuCode(dialog.GetCodeGroup());
            if (code == -1) {
                AfxMessageBox(t::kNoFreeKoshuCode, MsgButtons::Ok, MsgIcon::Exclamation);
                add = false;
            }
            koshu->m_code = code;
        }
        if (add && !IsUnset(koshu->m_code)) {
            m_koshuList->SetChosenIndex(gyomu->InsertNewKoshu(std::move(koshu)));
            m_shubetsuList->SetChosenIndex(0);
        }
    }
    AfterKoshuEdit(true);
}

void CKoshuShubetsuLists::OnKoshuCopy() {
    CBukakeGyomu* gyomu = Gyomu();
    const CBukakeKoshu* current = CurrentKoshu();
    if (gyomu && current) {
        auto copy = std::make_unique<CBukakeKoshu>();
        copy->Copy(*current);
        copy->m_name = t::kCopyNamePrefix + copy->m_name;
        copy->m_userCreated = 1;
        for (int i = 0; i < copy->GetCount(); ++i) copy->GetShubetsu(i)->m_userCreated = 1;
        CKoshuEditDlg dialog(this);
        dialog.SetKoshu(*copy);
        dialog.SetCodeGroup(current->GetCodeCategory());
        dialog.SetGyomuCode(m_gyomuCode);
        dialog.SetMode(CKoshuEditDlg::Copy);
        if (dialog.DoModal() == IDOK) {
            dialog.GetKoshu(*copy);
            const int code = gyomu->GetNewKoshuCode(dialog.GetCodeGroup());
            if (code == -1) {
                AfxMessageBox(t::kNoFreeKoshuCode, MsgButtons::Ok, MsgIcon::Exclamation);
            } else {
                copy->m_code = code;
                m_koshuList->SetChosenIndex(gyomu->InsertNewKoshu(std::move(copy)));
                m_shubetsuList->SetChosenIndex(0);
            }
        }
    }
    AfterKoshuEdit(true);
}

void CKoshuShubetsuLists::OnKoshuDelete() {
    CBukakeGyomu* gyomu = Gyomu();
    const CBukakeKoshu* koshu = CurrentKoshu();
    if (gyomu && koshu && AskDelete(t::kKoshuDataBefore, koshu->m_name)) {
        const int index = m_koshuList->ChosenIndex();
        gyomu->RemoveKoshu(index);
        // The one after it takes its place; the last one the place before it.
        if (index == gyomu->GetCount()) m_koshuList->SetChosenIndex(index - 1);
        FillKoshu();
        FillShubetsu();
        UpdateState();
    }
    m_koshuList->ShowChosen();
}

void CKoshuShubetsuLists::OnKoshuMove(int step) {
    CBukakeGyomu* gyomu = Gyomu();
    const int from = m_koshuList->ChosenIndex();
    if (gyomu && from >= 0 && from + step >= 0 && from + step < gyomu->GetCount()) {
        // Refused across the sort groups of the 工種 codes.
        const int to = gyomu->MoveKoshu(from, from + step);
        if (to != -1) {
            m_koshuList->SetChosenIndex(to);
            m_shownKoshu = to;
            AfterKoshuEdit(true);
            return;
        }
    }
    m_koshuList->ShowChosen();
}

// ---------------------------------------------------------------------------------------------
// 種別

void CKoshuShubetsuLists::OnShubetsuChange() {
    if (CBukakeShubetsu* shubetsu = CurrentShubetsu()) {
        CShubetsuEditDlg dialog(this);
        dialog.SetShubetsu(*shubetsu);
        dialog.SetGyomuCode(m_gyomuCode);
        dialog.SetMode(CShubetsuEditDlg::Change);
        if (dialog.DoModal() == IDOK) dialog.GetShubetsu(*shubetsu);
    }
    AfterShubetsuEdit();
}

void CKoshuShubetsuLists::OnShubetsuNew() {
    CBukakeKoshu* koshu = CurrentKoshu();
    if (!koshu) return;
    auto shubetsu = std::make_unique<CBukakeShubetsu>();
    shubetsu->m_userCreated = 1;
    shubetsu->m_coefficient = 0;
    if (FollowsMethod(m_gyomuCode)) shubetsu->m_conventional = koshu->m_splitFlag != 0 ? 1 : 0;
    if (m_gyomuCode == Gyomu::DoshitsuIppan) {
        shubetsu->GetDetail().m_programKingaku = 1;  // "単価の端数計算方法では丸めない"
        shubetsu->m_denshiKind = 6;
    }
    CShubetsuEditDlg dialog(this);
    dialog.SetShubetsu(*shubetsu);
    dialog.SetGyomuCode(m_gyomuCode);
    dialog.SetMode(CShubetsuEditDlg::New);
    if (dialog.DoModal() == IDOK) {
        dialog.GetShubetsu(*shubetsu);
        ResetNewShubetsuDetail(shubetsu->GetDetail(), m_gyomuCode);
        bool add = true;
        if (shubetsu->m_userCreated) {
            const int code = koshu->GetNewShubetsuCode();
            if (code == -1) {
                AfxMessageBox(t::kNoFreeShubetsuCode, MsgButtons::Ok, MsgIcon::Exclamation);
                add = false;
            }
            shubetsu->m_code = code;
        }
        if (add && !IsUnset(shubetsu->m_code)) m_shubetsuList->SetChosenIndex(koshu->AddShubetsu(std::move(shubetsu)));
    }
    AfterShubetsuEdit(true);
}

void CKoshuShubetsuLists::OnShubetsuCopy() {
    CBukakeKoshu* koshu = CurrentKoshu();
    const CBukakeShubetsu* current = CurrentShubetsu();
    if (koshu && current) {
        auto copy = std::make_unique<CBukakeShubetsu>();
        copy->Copy(*current);
        copy->m_name = t::kCopyNamePrefix + copy->m_name;
        copy->m_userCreated = 1;
        CShubetsuEditDlg dialog(this);
        dialog.SetShubetsu(*copy);
        dialog.SetGyomuCode(m_gyomuCode);
        dialog.SetMode(CShubetsuEditDlg::Copy);
        if (dialog.DoModal() == IDOK) {
            dialog.GetShubetsu(*copy);
            const int code = koshu->GetNewShubetsuCode();
            if (code == -1) {
                AfxMessageBox(t::kNoFreeShubetsuCode, MsgButtons::Ok, MsgIcon::Exclamation);
            } else {
                copy->m_code = code;
                m_shubetsuList->SetChosenIndex(koshu->AddShubetsu(std::move(copy)));
            }
        }
    }
    AfterShubetsuEdit(true);
}

void CKoshuShubetsuLists::OnShubetsuInsert() {
    CBukakeKoshu* koshu = CurrentKoshu();
    const int index = m_shubetsuList->ChosenIndex();
    if (koshu && CurrentShubetsu()) {
        auto shubetsu = std::make_unique<CBukakeShubetsu>();
        shubetsu->m_userCreated = 1;
        shubetsu->m_coefficient = 1;
        if (FollowsMethod(m_gyomuCode)) shubetsu->m_conventional = koshu->m_splitFlag != 0 ? 1 : 0;
        CShubetsuEditDlg dialog(this);
        dialog.SetShubetsu(*shubetsu);
        dialog.SetGyomuCode(m_gyomuCode);
        dialog.SetMode(CShubetsuEditDlg::Insert);
        if (dialog.DoModal() == IDOK) {
            dialog.GetShubetsu(*shubetsu);
            shubetsu->GetDetail().m_formula.clear();
            ResetNewShubetsuDetail(shubetsu->GetDetail(), m_gyomuCode);
            const int code = koshu->GetNewShubetsuCode();
            if (code == -1) {
                AfxMessageBox(t::kNoFreeShubetsuCode, MsgButtons::Ok, MsgIcon::Exclamation);
            } else {
                shubetsu->m_code = code;
                m_shubetsuList->SetChosenIndex(koshu->InsertShubetsu(index, std::move(shubetsu)));
            }
        }
    }
    AfterShubetsuEdit(true);
}

void CKoshuShubetsuLists::OnShubetsuDelete() {
    CBukakeKoshu* koshu = CurrentKoshu();
    const CBukakeShubetsu* shubetsu = CurrentShubetsu();
    if (koshu && shubetsu && AskDelete(t::kShubetsuDataBefore, shubetsu->m_name)) {
        koshu->RemoveShubetsu(m_shubetsuList->ChosenIndex());
        FillShubetsu();
        UpdateState();
    }
    m_shubetsuList->ShowChosen();
}

void CKoshuShubetsuLists::OnShubetsuMove(int step) {
    CBukakeKoshu* koshu = CurrentKoshu();
    const int from = m_shubetsuList->ChosenIndex();
    if (koshu && from >= 0 && from + step >= 0 && from + step < koshu->GetCount()) {
        const int to = koshu->MoveShubetsu(from, from + step);
        if (to != -1) {
            m_shubetsuList->SetChosenIndex(to);
            AfterShubetsuEdit(true);
            return;
        }
    }
    m_shubetsuList->ShowChosen();
}

bool UsesShikiDetail(int gyomuCode, const CBukakeDetail& detail) {
    return IsDoshitsuGyomu(gyomuCode) && detail.m_bukakeType != 0;
}

void CKoshuShubetsuLists::OnDetail() {
    CBukakeShubetsu* shubetsu = CurrentShubetsu();
    if (shubetsu && m_henkaritsu && m_tanka && m_zairyo && m_zairyoChanged) {
        // Both layouts take the same inputs and give back the detail and the material prices.
        auto run = [&](auto& dialog) {
            dialog.SetGyomuCode(m_gyomuCode);
            dialog.SetShubetsuName(shubetsu->m_name);
            dialog.SetDetail(shubetsu->GetDetail());
            dialog.SetHenkaritsuFile(*m_henkaritsu);
            dialog.SetTankaFile(*m_tanka);
            dialog.SetZairyoTankaFile(*m_zairyo);
            dialog.SetUserCreated(shubetsu->m_userCreated);
            if (dialog.DoModal() != IDOK) return;
            shubetsu->GetDetail().Copy(dialog.GetDetail());
            int changed = -1;
            const CZairyoTankaFile& zairyo = dialog.GetZairyoTankaFile(&changed);
            if (changed == -1) return;
            *m_zairyoChanged = changed;
            *m_zairyo = zairyo;
        };
        if (UsesShikiDetail(m_gyomuCode, shubetsu->GetDetail())) {
            CBukakeShikiDetailDlg dialog(this);
            run(dialog);
        } else {
            CBukakeDetailDlg dialog(this);
            dialog.SetShubetsuKeisu(shubetsu->m_coefficient);
            dialog.SetHimokuMode(shubetsu->GetDetail().m_himokuMode);
            dialog.SetPrintSetup(m_printSetup);
            run(dialog);
        }
        FillShubetsu();
        UpdateState();
    }
    m_shubetsuList->ShowChosen();
}

void ResetNewShubetsuDetail(CBukakeDetail& detail, int gyomuCode) {
    detail.m_henkaritsu.fill(kUnset);
    detail.m_quantity = 0;
    detail.m_unit.clear();
    detail.m_shokushu.fill(kUnset);
    detail.m_rates.fill(kUnset);
    detail.m_settingF4 = kUnset;
    int lines = 0;
    if (IsSokuryoGyomu(gyomuCode) || gyomuCode == Gyomu::Bukken)
        lines = 11;
    else if (IsStandardGyomu(gyomuCode))
        lines = 20;
    for (int i = 0; i < lines; ++i) {
        auto line = std::make_unique<CBukakeDetailLine>();
        line->m_setting = 1;
        line->m_value = 1;  // the check of the line
        detail.AddLine(std::move(line));
    }
    if (IsDoshitsuGyomu(gyomuCode)) detail.m_bukakeType = 4;  // "土質調査標準タイプ"
}

int FillBukakeGyomuCombo(QComboBox& combo, const CBukakeFile& file, const std::vector<uint8_t>& codes) {
    constexpr int kLastBusinessGyomu = 32;
    const std::vector<QIcon> images = ListStripImages(ListStrip::Bukake);
    const QIcon icon = images.empty() ? QIcon() : images[0];
    combo.clear();
    for (uint8_t code : codes) {
        const CBukakeGyomu* gyomu = file.FindGyomu(code);
        if (gyomu && gyomu->m_code <= kLastBusinessGyomu)
            combo.addItem(icon, QString::fromStdString(gyomu->m_name), int(code));
    }
    combo.setCurrentIndex(combo.count() ? 0 : -1);
    return combo.count() ? combo.itemData(0).toInt() : kUnset;
}

void FirstKoshuShubetsu(const CBukakeGyomu* gyomu, int& koshu, int& shubetsu) {
    koshu = shubetsu = -1;
    if (gyomu && gyomu->GetCount() > 0) {
        koshu = 0;
        shubetsu = gyomu->GetKoshu(0)->GetCount() ? 0 : -1;
    }
}

QHBoxLayout* MakeBukakeGyomuRow(QWidget* parent, QComboBox*& combo) {
    auto* gyomuLabel = new QLabel(Tx(t::kGyomuNameLabel), parent);
    combo = new QComboBox(parent);
    combo->setObjectName(QStringLiteral("gyomu"));
    combo->setMinimumWidth(260);
    auto* top = new QHBoxLayout;
    top->addWidget(gyomuLabel);
    top->addWidget(combo);
    return top;
}

QHBoxLayout* MakeBukakeBottomRow(QWidget* parent, QLabel** labels, size_t count, QPushButton* ok, QPushButton* cancel) {
    auto* legend = new QVBoxLayout;
    for (size_t i = 0; i < count; ++i) {
        labels[i] = new QLabel(parent);
        labels[i]->setObjectName(QStringLiteral("legend%1").arg(i));
        legend->addWidget(labels[i]);
    }
    ok->setText(Tx(reporttext::kSaveAndClose));
    ok->setAutoDefault(false);
    ok->setDefault(false);
    cancel->setText(Tx(dialogtext::kCancel));
    cancel->setAutoDefault(false);
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(legend);
    bottom->addStretch();
    bottom->addWidget(ok, 0, Qt::AlignBottom);
    bottom->addWidget(cancel, 0, Qt::AlignBottom);
    return bottom;
}

bool ShowBukakeLegend(QLabel* const* labels, int gyomuCode) {
    const bool newMethod = !IsUnset(gyomuCode) && FollowsMethod(gyomuCode);
    labels[0]->setText(Tx(newMethod ? t::kLegendNewStandard : t::kLegendStandard));
    labels[1]->setText(Tx(newMethod ? t::kLegendNewUser : t::kLegendUser));
    labels[2]->setText(Tx(newMethod ? t::kLegendNewZenchiren : t::kLegendZenchiren));
    labels[2]->setVisible(false);
    return newMethod;
}
