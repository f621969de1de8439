#pragma once
#include <QString>

#include "dialogkit/SekisanDialog.h"
#include "platform/Constants.h"

// The number and title of a row's 一位代価表. An emptied number field removes the number (unset);
// "連続割付" returns a given number + 1000, which asks the caller to number the following rows
// on from it.
class CDaikaNoDlg : public CSekisanDialog {
    Q_OBJECT
public:
    // What "連続割付" adds to the number.
    static constexpr int kSerialOffset = 1000;

    explicit CDaikaNoDlg(QWidget* parent = nullptr);

    void SetNumber(int number) { m_number = number; }
    int GetNumber() const { return m_number; }
    void SetTitle(const QString& title) { m_title = title; }
    QString GetTitle() const { return m_title; }

    void OnInitDialog() override;
    void accept() override;
    // "連続割付": as OK, with a number that was given stored + 1000.
    void OnSerial();

private:
    void StoreFields(bool serial);

    CZo_Edit* m_numberEdit;
    CZo_Edit* m_titleEdit;

    int m_number = kUnset;
    QString m_title;
};
