#pragma once
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "estimate/CalcEnvironment.h"

class CBukakeDetail;
class CBukakeKoshu;
class CBukakeShubetsu;
class CHenkaritsuRecord;
class CTankaRow;

// Values by a key of N 64-bit words, in one open-addressed table: what a lookup found (null
// included) or a value formed once, given back without finding or forming it again.
template <size_t N, class Value>
class CRecalcMemo {
public:
    using Key = std::array<uint64_t, N>;

    // The value remembered under key; otherwise make() is called and its value remembered.
    template <class Make>
    Value Get(const Key& key, Make&& make) {
        if (m_slots.empty()) m_slots.resize(64);
        size_t mask = m_slots.size() - 1;
        for (size_t i = Hash(key) & mask; m_slots[i].used; i = (i + 1) & mask)
            if (Same(m_slots[i].key, key)) return m_slots[i].value;
        const Value value = make();
        if (2 * (m_used + 1) > m_slots.size()) Grow();
        mask = m_slots.size() - 1;
        size_t i = Hash(key) & mask;
        while (m_slots[i].used) i = (i + 1) & mask;
        m_slots[i] = Slot{key, value, true};
        ++m_used;
        return value;
    }

private:
    struct Slot {
        Key key{};
        Value value{};
        bool used = false;
    };

    // Word by word: a few compares, where the library's array comparison calls memcmp.
    static bool Same(const Key& a, const Key& b) {
        for (size_t i = 0; i < N; ++i)
            if (a[i] != b[i]) return false;
        return true;
    }
    static size_t Hash(const Key& key) {
        uint64_t h = 0x9E3779B97F4A7C15u;
        for (uint64_t word : key) h = (h ^ word) * 0xBF58476D1CE4E5B9u;
        return static_cast<size_t>(h ^ (h >> 31));
    }

    void Grow() {
        std::vector<Slot> old(m_slots.size() * 2);
        old.swap(m_slots);
        const size_t mask = m_slots.size() - 1;
        for (const Slot& slot : old) {
            if (!slot.used) continue;
            size_t i = Hash(slot.key) & mask;
            while (m_slots[i].used) i = (i + 1) & mask;
            m_slots[i] = slot;
        }
    }

    std::vector<Slot> m_slots;
    size_t m_used = 0;
};

// What one recalculation of an estimate looks up and values again and again, kept for that
// recalculation only: the master records by their codes, and the values of rate formulas and 歩掛
// formulas by what their texts are made of. The masters and settings of the estimate's context do
// not change while it is recalculated, so what was found or valued once holds until the
// recalculation ends; the next recalculation starts empty, whatever was edited, copied or swapped
// in between. Each lookup gives what the master's own finder gives (the first record with the code).
class CRecalcCache {
public:
    explicit CRecalcCache(const ICalcEnvironment& context) : m_context(context) {}
    CRecalcCache(const CRecalcCache&) = delete;
    CRecalcCache& operator=(const CRecalcCache&) = delete;

    const CBukakeKoshu* FindKoshu(int32_t gyomu, int32_t koshu);
    const CBukakeShubetsu* FindShubetsu(int32_t gyomu, int32_t koshu, int32_t shubetsu);
    const CHenkaritsuRecord* FindRateRecord(int32_t gyomu, int32_t code);
    const CTankaRow* FindTankaRow(int32_t id);

    // The value ×1000 of a formula rate record at an LL value, and whether forming it failed.
    struct RateValue {
        int value = 0;
        bool fault = false;
    };
    template <class Make>
    RateValue GetRateValue(const CHenkaritsuRecord& record, int32_t ll, Make&& make) {
        return m_rateValues.Get({Word(&record), Word(ll)}, std::forward<Make>(make));
    }

    // The value of a 歩掛 formula text: the text of the detail chosen by type and line, with the
    // rate values of the slots in `present` (bit s for H(s+1)) written in for their markers.
    template <class Make>
    double GetFormulaValue(const CBukakeDetail& detail, int type, int line, unsigned present,
                           const std::array<double, 8>& rates, Make&& make) {
        CRecalcMemo<12, double>::Key key{Word(&detail), Word(type), Word(line), present};
        for (size_t s = 0; s < rates.size(); ++s) key[s + 4] = DoubleBits(rates[s]);
        return m_formulaValues.Get(key, std::forward<Make>(make));
    }

private:
    static uint64_t Word(int32_t v) { return static_cast<uint32_t>(v); }
    static uint64_t Word(const void* p) { return reinterpret_cast<uintptr_t>(p); }
    static uint64_t DoubleBits(double v) { return std::bit_cast<uint64_t>(v); }

    const ICalcEnvironment& m_context;
    CRecalcMemo<2, const CBukakeKoshu*> m_koshu;
    CRecalcMemo<3, const CBukakeShubetsu*> m_shubetsu;
    CRecalcMemo<2, const CHenkaritsuRecord*> m_rateRecords;
    CRecalcMemo<1, const CTankaRow*> m_tankaRows;
    CRecalcMemo<2, RateValue> m_rateValues;
    CRecalcMemo<12, double> m_formulaValues;
};
