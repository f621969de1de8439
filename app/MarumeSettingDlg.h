#pragma once
#include <array>

#include "dialogkit/SekisanDialog.h"

class QButtonGroup;
class QRadioButton;

// The rounding of a row's amount: none, or to the tens … ten millions (choices 0 to 7). The 業務
// decides how many of the choices are offered (the first n); the tens and hundreds are never
// shown.
class CMarumeSettingDlg : public CSekisanDialog {
    Q_OBJECT
public:
    static constexpr int kChoices = 8;

    explicit CMarumeSettingDlg(QWidget* parent = nullptr);

    void SetChoice(int choice) { m_choice = choice; }
    int GetChoice() const { return m_choice; }
    void SetChoiceCount(int count) { m_choiceCount = count; }

    void OnInitDialog() override;
    void accept() override;

private:
    QButtonGroup* m_group;
    std::array<QRadioButton*, kChoices> m_radios;

    int m_choice = 0;
    int m_choiceCount = kChoices;
};
