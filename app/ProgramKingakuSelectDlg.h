#pragma once
#include "dialogkit/SekisanDialog.h"
#include "dialogkit/SpreadSheet.h"
#include "master/ProgramKingakuFile.h"
#include "platform/Constants.h"

class QCheckBox;
class QLabel;

// Picks the プログラム金額 record a row uses, or switches its use off. The records are listed one
// per grid row; the row of the preselected code is selected and current when the dialog opens.
// Enter presses OK; Left and Right move between the controls.
class CProgramKingakuSelectDlg : public CSekisanDialog {
    Q_OBJECT
public:
    // Selection colours of the grid while the list is in use and while it is not.
    static constexpr COLORREF kInUseColour = 0x9BB9FF;  // red 255, green 185, blue 155
    static constexpr COLORREF kOffColour = 0xC0C0C0;

    explicit CProgramKingakuSelectDlg(QWidget* parent = nullptr);

    // Copies the master in.
    void SetProgramKingakuFile(const CProgramKingakuFile& file) { m_file.Copy(file); }
    // The code selected on opening (unset: none); after OK the chosen code, unset for no program.
    void SetCode(int code) { m_code = code; }
    int GetCode() const { return m_code; }

    void OnInitDialog() override;
    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void UpdateEnabling();

    CSpreadSheet* m_grid;
    QLabel* m_listLabel;
    QCheckBox* m_useCheck;
    int m_use = 1;
    CProgramKingakuFile m_file;
    int m_code = kUnset;
    int m_currentRow = 1;
    int m_count = 0;
};
