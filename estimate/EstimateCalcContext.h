#pragma once
#include <utility>

#include "estimate/CalcEnvironment.h"
#include "master/ZairyoTankaFile.h"

// The five masters of one master-data folder, shared by every estimate priced with them (not owned).
struct CSharedMasters {
    const CBukakeFile& bukake;
    const CHenkaritsuFile& henkaritsu;
    const CTankaFile& tanka;
    const CShokeihiFile& shokeihi;
    const CProgramKingakuFile& programKingaku;
};

// The context one estimate is priced with: the shared masters and the settings by reference (they
// must outlive the context, and a change to them is seen by the next calculation), and the
// estimate's own material prices, which the context owns.
class CEstimateCalcContext final : public ICalcEnvironment {
public:
    CEstimateCalcContext(const CSharedMasters& masters, const CCalcSettings& settings, CZairyoTankaFile zairyoTanka)
        : m_masters(masters), m_settings(settings), m_zairyoTanka(std::move(zairyoTanka)) {}
    // The masters and settings of another environment, shared; its material prices copied.
    explicit CEstimateCalcContext(const ICalcEnvironment& shared)
        : CEstimateCalcContext({shared.GetBukakeFile(), shared.GetHenkaritsuFile(), shared.GetTankaFile(),
                                shared.GetShokeihiFile(), shared.GetProgramKingakuFile()},
                               shared.GetCalcSettings(), shared.GetZairyoTankaFile()) {}
    CEstimateCalcContext(const CEstimateCalcContext&) = delete;
    CEstimateCalcContext& operator=(const CEstimateCalcContext&) = delete;

    // The estimate's own material prices, for its owner to load or replace.
    CZairyoTankaFile& ZairyoTanka() { return m_zairyoTanka; }

    const CBukakeFile& GetBukakeFile() const override { return m_masters.bukake; }
    const CHenkaritsuFile& GetHenkaritsuFile() const override { return m_masters.henkaritsu; }
    const CTankaFile& GetTankaFile() const override { return m_masters.tanka; }
    const CShokeihiFile& GetShokeihiFile() const override { return m_masters.shokeihi; }
    const CProgramKingakuFile& GetProgramKingakuFile() const override { return m_masters.programKingaku; }
    const CZairyoTankaFile& GetZairyoTankaFile() const override { return m_zairyoTanka; }
    const CCalcSettings& GetCalcSettings() const override { return m_settings; }

private:
    CSharedMasters m_masters;
    const CCalcSettings& m_settings;
    CZairyoTankaFile m_zairyoTanka;
};
