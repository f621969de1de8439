#pragma once
#include "estimate/CalcEnvironment.h"
#include "master/BukakeFile.h"
#include "master/HenkaritsuFile.h"
#include "master/ProgramKingakuFile.h"
#include "master/ShokeihiFile.h"
#include "master/TankaFile.h"
#include "master/ZairyoTankaFile.h"

// A calculation environment over masters and settings of its own, filled by its maker: the masters
// the sample estimates are priced with, or those a test or a benchmark builds in code.
class CalcMasters : public ICalcEnvironment {
public:
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
};
