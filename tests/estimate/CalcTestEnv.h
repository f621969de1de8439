// Test support for the tests of estimate/: CalcTestEnv.
#pragma once
#include "estimate/CalcEnvironment.h"
#include "master/BukakeFile.h"
#include "master/HenkaritsuFile.h"
#include "master/ProgramKingakuFile.h"
#include "master/ShokeihiFile.h"
#include "master/TankaFile.h"
#include "master/ZairyoTankaFile.h"

// Masters and settings for calculation tests, built in code (see MasterBuilders.h). The
// environment installs itself on construction and restores the previous one when destroyed.
class CalcTestEnv : public ICalcEnvironment {
public:
    CalcTestEnv() : m_previous(SetCalcEnv(this)) {}
    ~CalcTestEnv() override { SetCalcEnv(m_previous); }
    CalcTestEnv(const CalcTestEnv&) = delete;
    CalcTestEnv& operator=(const CalcTestEnv&) = delete;

    CBukakeFile bukake;
    CHenkaritsuFile henkaritsu;
    CTankaFile tanka;
    CShokeihiFile shokeihi;
    CProgramKingakuFile programKingaku;
    CZairyoTankaFile zairyoTanka;
    CCalcSettings settings;

    const CBukakeFile& GetBukakeFile() const override { return bukake; }
    const CHenkaritsuFile& GetHenkaritsuFile() const override { return henkaritsu; }
    const CTankaFile& GetTankaFile() const override { return tanka; }
    const CShokeihiFile& GetShokeihiFile() const override { return shokeihi; }
    const CProgramKingakuFile& GetProgramKingakuFile() const override { return programKingaku; }
    const CZairyoTankaFile& GetZairyoTankaFile() const override { return zairyoTanka; }
    const CCalcSettings& GetCalcSettings() const override { return settings; }

private:
    ICalcEnvironment* m_previous;
};
