#include "estimate/RecalcCache.h"

#include "master/BukakeFile.h"
#include "master/HenkaritsuFile.h"
#include "master/TankaFile.h"

const CBukakeKoshu* CRecalcCache::FindKoshu(int32_t gyomu, int32_t koshu) {
    return m_koshu.Get({Word(gyomu), Word(koshu)},
                       [&] { return m_context.GetBukakeFile().FindKoshu(gyomu, koshu); });
}

const CBukakeShubetsu* CRecalcCache::FindShubetsu(int32_t gyomu, int32_t koshu, int32_t shubetsu) {
    return m_shubetsu.Get({Word(gyomu), Word(koshu), Word(shubetsu)},
                          [&] { return m_context.GetBukakeFile().FindShubetsu(gyomu, koshu, shubetsu); });
}

const CHenkaritsuRecord* CRecalcCache::FindRateRecord(int32_t gyomu, int32_t code) {
    return m_rateRecords.Get({Word(gyomu), Word(code)}, [&]() -> const CHenkaritsuRecord* {
        const CHenkaritsuGyomu* group = m_context.GetHenkaritsuFile().FindGyomu(gyomu);
        return group ? group->FindRecord(code) : nullptr;
    });
}

const CTankaRow* CRecalcCache::FindTankaRow(int32_t id) {
    return m_tankaRows.Get({Word(id)}, [&] { return m_context.GetTankaFile().FindRow(id); });
}
