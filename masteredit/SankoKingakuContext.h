#pragma once
#include "master/BukakeFile.h"
#include "master/ZairyoTankaFile.h"

// What the 歩掛 detail dialogs ask for their 参考金額: the estimate view prices its current row with
// the detail and the material prices being edited, and gives the row's amount and the 業務 total
// (the amount of the last 95 row). false when the view has no row to price. The dialogs opened
// without one (from the 歩掛 file editor) show no amounts.
class ISankoKingakuContext {
public:
    virtual ~ISankoKingakuContext() = default;
    virtual bool CalcSankoKingaku(const CBukakeDetail& detail, const CZairyoTankaFile& zairyo, int& amount,
                                  int& amount95) = 0;
};
