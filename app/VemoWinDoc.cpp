#include "app/VemoWinDoc.h"

#include <QDir>
#include <cstdio>

#include "app/AppTexts.h"
#include "app/CommandIds.h"
#include "estimate/SeiFileNames.h"
#include "platform/FileUtil.h"
#include "platform/Host.h"

CVemoWinDoc::CVemoWinDoc() : m_data(std::make_unique<CVemoWinDocData>()) {
    OnCommand(cmd::FileSave, [this] { OnFileSave(); });
    OnCommand(cmd::FileSaveAs, [this] { OnFileSaveAs(); });
}

CVemoWinDoc::~CVemoWinDoc() = default;

void CVemoWinDoc::OnNewDocument(int number) {
    m_data = std::make_unique<CVemoWinDocData>();
    m_data->SetCalcContext(m_calcContext.get());
    m_pathName.clear();
    m_title = QString::fromStdString(sei::NewDocumentTitle(number));
    m_modified = false;
}

void CVemoWinDoc::SetCalcContext(std::unique_ptr<CEstimateCalcContext> context) {
    m_data->SetCalcContext(context.get());
    m_calcContext = std::move(context);
}

bool CVemoWinDoc::OnOpenDocument(const std::string& path) {
    CWaitCursor wait;
    if (!m_data->LoadFile(path)) return false;
    SetPathName(path);
    m_modified = false;
    return true;
}

bool CVemoWinDoc::OnSaveDocument(const std::string& path) {
    CWaitCursor wait;
    if (!m_data->SaveFile(path)) return false;
    m_modified = false;
    emit Changed();
    return true;
}

void CVemoWinDoc::SetPathName(const std::string& path) {
    m_pathName = path;
    m_title = QString::fromStdString(vemo::FileNameOf(path));
    emit Changed();
}

void CVemoWinDoc::SetModifiedFlag(bool modified) {
    if (m_modified == modified) return;
    m_modified = modified;
    emit Changed();
}

bool CVemoWinDoc::DoSave(const std::string& path, bool replace) {
    sei::SaveNamePlan plan = sei::PlanSaveName(path, replace, m_pathName, m_title.toStdString());
    std::string name = plan.name;
    if (plan.prompt) {
        // A name without a folder (a new estimate's title) is proposed in the folder last used.
        if (!name.empty() && !QDir::isAbsolutePath(QString::fromStdString(name)))
            name = vemo::JoinPath(QDir::currentPath().toStdString(), name);
        std::string chosen;
        if (!Host().ChooseSaveFile(replace ? apptext::kSaveAsTitle : apptext::kSaveCopyTitle, sei::SaveFilter(),
                                   name, chosen))
            return false;
        name = chosen;
    }
    // The file is written by replacing: a failed save leaves what was on disk.
    if (!OnSaveDocument(name)) return false;
    // The folder chosen becomes the one the next file dialog starts in (and the one remembered).
    if (plan.prompt) QDir::setCurrent(QString::fromStdString(vemo::ParentFolder(name)));
    if (replace) {
        SetPathName(name);
        emit Saved(QString::fromStdString(name));
    }
    return true;
}

bool CVemoWinDoc::SaveModified() {
    if (!m_modified) return true;
    std::string name = m_pathName.empty() ? m_title.toStdString() : m_pathName;
    switch (AfxMessageBox(name + apptext::kAskSaveChangesAfter, MsgButtons::YesNoCancel, MsgIcon::Exclamation)) {
        case IDYES: return DoSave(m_pathName, true);
        case IDNO: return true;
        default: return false;
    }
}

void CVemoWinDoc::OnFileSave() {
    CWaitCursor wait;
    DoSave(m_pathName, true);
}

void CVemoWinDoc::OnFileSaveAs() {
    CWaitCursor wait;
    DoSave("", true);
}
