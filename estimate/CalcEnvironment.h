#pragma once
#include <string>

class CBukakeFile;
class CHenkaritsuFile;
class CTankaFile;
class CShokeihiFile;
class CProgramKingakuFile;
class CZairyoTankaFile;

// The application settings the cost calculation reads, with their defaults.
struct CCalcSettings {
    int SeidoCalc = 0;        // nonzero: 測量 精度管理費 on direct labour + machine costs (without 労務費)
    int ShokeihiCalc = 1;     // nonzero: 設計 labour share leaves 電子計算機使用料 out (0: includes it)
    int GijyutuCalc = 0;      // 0 統一, 1 個別
    int DefGijyutuCalc = 1;   // 0 highest 技術経費率, 1 the rate whose total amount is largest
    int DensiDsp = 0;         // 1: 電子計算機使用料 on its own row
    int SeidoDsp = 0;         // nonzero: 精度管理費 on its own row
    int ZairyoDsp = 1;        // nonzero: 物件調査 material parts on the 材料費等 row
    int DaikaOn = 0;          // 1: number the 代価 of each priced 土質調査 row
    int MarumeDsp = 0;        // 1: the total row shows its rounding ("(千円止め)" …)
    int DouroCalc = 0;        // always 0 at start-up
    int HoseiMarumeKeta = 4;  // man-day rounding step: 1 → 1.0, 2 → 0.1, 3 → 0.01, other → 0.001
    int HoseiMarumeKind = 0;  // 0 half up, 2 up, other down
    std::string DaikaName;    // title word of the 代価 sheets; empty: "一位代価表"

    // The man-day rounding of HoseiMarumeKeta: the decimals it leaves and its step.
    int ManDayDecimals() const { return HoseiMarumeKeta >= 1 && HoseiMarumeKeta <= 3 ? HoseiMarumeKeta - 1 : 3; }
    double ManDayStep() const {
        static constexpr double kSteps[] = {1.0, 0.1, 0.01, 0.001};
        return kSteps[ManDayDecimals()];
    }
};

// What the calculation reads: the masters (read-only) and the settings. Each estimate is priced
// with the context its owner gives it (CSekisanData::SetCalcContext); the application gives every
// open document one of its own (CEstimateCalcContext). Tests implement it over masters built in code.
class ICalcEnvironment {
public:
    virtual ~ICalcEnvironment() = default;
    virtual const CBukakeFile& GetBukakeFile() const = 0;
    virtual const CHenkaritsuFile& GetHenkaritsuFile() const = 0;
    virtual const CTankaFile& GetTankaFile() const = 0;
    virtual const CShokeihiFile& GetShokeihiFile() const = 0;
    virtual const CProgramKingakuFile& GetProgramKingakuFile() const = 0;
    virtual const CZairyoTankaFile& GetZairyoTankaFile() const = 0;
    virtual const CCalcSettings& GetCalcSettings() const = 0;
};

// The environment installed process-wide: the context of every estimate that has none of its own,
// as in the single-estimate tests and tools. Calculating without either is a programming error:
// CalcEnv() then throws std::logic_error.
ICalcEnvironment& CalcEnv();
// Installs an environment (null removes it); returns the one installed before.
ICalcEnvironment* SetCalcEnv(ICalcEnvironment* env);
