#pragma once
#include <QObject>
#include <QString>
#include <memory>
#include <string>

#include "app/CommandRegistry.h"
#include "estimate/EstimateCalcContext.h"
#include "estimate/VemoWinDocData.h"

// One estimate document: the estimate file's data with its path, title and modified flag, the
// open, save and save-as flows and the prompt to save a modified estimate before it closes.
class CVemoWinDoc : public QObject, public CCommandTarget {
    Q_OBJECT
public:
    CVemoWinDoc();
    ~CVemoWinDoc() override;

    // A new, empty estimate titled "積算データN".
    void OnNewDocument(int number);
    // Reads the file; false (told to the user, nothing changed) when it cannot be read.
    bool OnOpenDocument(const std::string& path);
    // Writes the file; false (told to the user, the file on disk as it was) when it cannot be written.
    bool OnSaveDocument(const std::string& path);
    // The save flow: path empty for Save As; replace: the document takes the new name. False when
    // the user cancelled the prompt or the save failed.
    bool DoSave(const std::string& path, bool replace);
    // Asks whether to save a modified estimate; false when the user cancelled.
    bool SaveModified();
    void OnFileSave();
    void OnFileSaveAs();

    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true);
    const std::string& GetPathName() const { return m_pathName; }
    QString GetTitle() const { return m_title; }

    CVemoWinDocData& Data() { return *m_data; }
    CSekisanItemList* GetItemList() { return m_data->GetItemList(); }

    // The context the estimate is priced with, owned by the document and kept across new and
    // opened data; null until the application gives one.
    void SetCalcContext(std::unique_ptr<CEstimateCalcContext> context);
    CEstimateCalcContext* CalcContext() const { return m_calcContext.get(); }

signals:
    void Changed();
    // After the estimate was saved under its (possibly new) name.
    void Saved(const QString& path);

private:
    void SetPathName(const std::string& path);

    std::unique_ptr<CEstimateCalcContext> m_calcContext;  // outlives the data that points to it
    std::unique_ptr<CVemoWinDocData> m_data;
    std::string m_pathName;
    QString m_title;
    bool m_modified = false;
};
