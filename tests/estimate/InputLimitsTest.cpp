// CSekisanData::Input, CSekisanData::CheckLimits and CSekisanData::CalcLimits: an input whose
// recalculation goes past a limit, or that ends without a commit, is put back whole; an opened
// estimate learns its limits from a priced copy.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "DriverBuilders.h"
#include "MasterBuilders.h"
#include "platform/Archive.h"
#include "platform/TextUtil.h"

namespace driver_test {
namespace {

using estimate_test::StoredBytes;
using Limits = CSekisanData::CalcLimits;
using Result = CSekisanData::InputResult;

// 業務 2 (設計) with 種別 rows priced at 100,000 yen a km: one 技師 at 50,000 yen for 2.00 man-days
// per 1.00 km, without rates or factor; a quantity of q km makes q × 100,000 yen.
class InputLimitsTest : public DriverTest {
protected:
    InputLimitsTest() { Worker(1001, 50'000, 0, "技師"); }

    // The 種別 1 of (業務 2, 工種) priced by the km, by the worker; a conventional 種別 stays out of
    // the 業務原価, and so do the rows of a 工種 whose split flag is 1.
    void PricedKm(int koshu, bool conventional = false, int koshuSplit = 0, int worker = 1001) {
        MasterKoshu(Gyomu::Sekkei, koshu, koshuSplit);
        CBukakeShubetsu& s = MasterShubetsu(Gyomu::Sekkei, koshu, 1);
        s.m_conventional = conventional ? 1 : 0;
        CBukakeDetail& d = s.GetDetail();
        d.m_unit = "km";
        d.m_quantity = 100;
        d.m_shokushu[0] = worker;
        masterbuild::AddLine(d, "設計", {200});
    }
    // A row of that 種別 with every 工程 and the quantity (×1000).
    void KmRow(int koshu, const std::string& name, int32_t quantity) {
        build.Koshu(koshu, name).Shubetsu(1, name).Quantity(quantity).Set([](CSekisanItem& i) { i.m_bKotei[0] = 1; });
    }
    void SummaryRows() { build.Summary(Gyomu::Goukei, "小計").Summary(Gyomu::ItakuryoKei, "業務委託料計"); }

    // The estimate's own rows after a plain recalculation of the 業務 with a field of the row
    // changed: what the program priced before inputs were checked.
    using Field = int32_t CSekisanItem::*;
    std::string PlainlyPriced(const std::string& rows, int index, Field field, int32_t value, int gyomu,
                              Limits* limits) {
        CSekisanData twin;
        CArchive in(rows);
        twin.GetItemList()->Serialize(in);
        twin.GetItemList()->GetItem(index)->*field = value;
        twin.Recalculate(gyomu);
        if (limits) *limits = twin.GetCalcLimits();
        return StoredBytes(*twin.GetItemList());
    }
};

TEST_F(InputLimitsTest, AnInputPastALimitIsPutBackWholeAndOneJustInsideIsPricedAsBefore) {
    struct Case {
        const char* what;
        std::function<void()> rows;  // priced inside every limit
        int gyomu, koshu;                             // the 種別 1 row typed into (koshu kUnset: a 業務 row)
        int32_t past, inside;                         // values ×1000 of the field typed into
        std::function<bool(const Limits&)> only;      // the record of the past value names this alone
        Field field = &CSekisanItem::m_nQuantity;
    };
    const Case cases[] = {
        // A 直接経費 row of a conventional 工種: neither in the direct sum nor in the 業務原価; the
        // 値引き of 2,000,000,000 keeps the 業務's total small. 21,474.837 km make 2,147,483,700 yen,
        // held at 2,147,483,647; 21,474.836 km make 2,147,483,600.
        {"a row beyond 32 bits",
         [this] {
             PricedKm(86, false, 1);
             build.Gyomu(Gyomu::Sekkei, "設計業務");
             KmRow(86, "資料整理", 1'000);
             build.Koshu(Koshu::GyomuKakaku, "業務価格").Koshu(Koshu::Nebiki, "値引き").Amount(-2'000'000'000);
             build.Koshu(Koshu::Aratamekei, "改め計");
             SummaryRows();
         },
         Gyomu::Sekkei, 86, 21'474'837, 21'474'836,
         [](const Limits& l) {
             return l.saturated == std::set<int>{2} && l.directCapped.empty() && l.costCapped.empty() &&
                    !l.totalCapped;
         }},
        // A conventional 種別 row: in the direct sum only. 10,000 km make 1,000,000,000 yen; 9,999.999
        // km make 999,999,900.
        {"the direct sum",
         [this] {
             PricedKm(10, true);
             build.Gyomu(Gyomu::Sekkei, "設計業務");
             KmRow(10, "水路設計", 1'000);
             build.Koshu(Koshu::GyomuKakaku, "業務価格");
             SummaryRows();
         },
         Gyomu::Sekkei, 10, 10'000'000, 9'999'999,
         [](const Limits& l) {
             return l.directCapped == std::set<int>{2} && l.costCapped.empty() && l.saturated.empty() &&
                    !l.totalCapped;
         }},
        // 9,000 km of a new-method row (900,000,000 yen, in both sums) and a 直接経費 row in the
        // 業務原価 only: 1,000 km bring the 業務原価 to 1,000,000,000, 999.999 km to 999,999,900; the
        // 値引き of 500,000,000 keeps the total inside.
        {"the 業務原価",
         [this] {
             PricedKm(10);
             PricedKm(86);
             build.Gyomu(Gyomu::Sekkei, "設計業務");
             KmRow(10, "水路設計", 9'000'000);
             KmRow(86, "資料整理", 1'000);
             build.Koshu(Koshu::GyomuKakaku, "業務価格").Koshu(Koshu::Nebiki, "値引き").Amount(-500'000'000);
             build.Koshu(Koshu::Aratamekei, "改め計");
             SummaryRows();
         },
         Gyomu::Sekkei, 86, 1'000'000, 999'999,
         [](const Limits& l) {
             return l.costCapped == std::set<int>{2} && l.directCapped.empty() && l.saturated.empty() &&
                    !l.totalCapped;
         }},
        // The 業務 at 100,000 yen and a priced extra row at 1,000,000.0 yen: 999.901 make the total
        // 1,000,001,000, 999.899 make it 999,999,000.
        {"the total",
         [this] {
             PricedKm(10);
             build.Gyomu(Gyomu::Sekkei, "設計業務");
             KmRow(10, "水路設計", 1'000);
             build.Koshu(Koshu::GyomuKakaku, "業務価格");
             build.Summary(Gyomu::Sonota, "機械器具損料").Quantity(1'000).UnitPrice(10'000'000);
             SummaryRows();
         },
         Gyomu::Sonota, kUnset, 999'901, 999'899,
         [](const Limits& l) { return l.totalCapped && l.Gyomu().empty(); }},
        // A 重量平均値 in place of the factor: 2,200 make the unit price 220,000,000 yen a km, beyond
        // what a unit price holds (the row is left without a price); 2,100 make it 210,000,000.
        {"a unit price",
         [this] {
             PricedKm(10);
             build.Gyomu(Gyomu::Sekkei, "設計業務");
             KmRow(10, "水路設計", 1'000);
             build.Koshu(Koshu::GyomuKakaku, "業務価格");
             SummaryRows();
         },
         Gyomu::Sekkei, 10, 2'200'000, 2'100'000,
         [](const Limits& l) {
             return l.UnitPriceGyomu() == std::set<int>{2} && l.directCapped.empty() && l.costCapped.empty() &&
                    l.saturated.empty() && !l.totalCapped;
         },
         &CSekisanItem::m_nWeightAverage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        List().RemoveAll();
        env.bukake = CBukakeFile();
        c.rows();
        data.Recalculate(0);
        ASSERT_FALSE(data.GetCalcLimits().Any());
        const int index = Find(c.gyomu, c.koshu, IsUnset(c.koshu) ? kUnset : 1);
        ASSERT_GE(index, 0);
        const std::string priced = StoredBytes(List());

        Limits plain;
        PlainlyPriced(priced, index, c.field, c.past, c.gyomu, &plain);
        EXPECT_TRUE(c.only(plain)) << "the case goes past the limit it names, and past no other";

        host.messages.clear();
        CSekisanData::Input past(data);
        Item(index).*c.field = c.past;
        EXPECT_EQ(past.Commit(c.gyomu), Result::PastLimit);
        EXPECT_EQ(StoredBytes(List()), priced);
        EXPECT_FALSE(data.GetCalcLimits().Any());
        EXPECT_TRUE(Messages().empty()) << "the caller tells the user";
        {
            CSekisanData::Input cancelled(data);
            Item(index).*c.field = c.inside;
        }
        EXPECT_EQ(StoredBytes(List()), priced) << "an input ended without a commit";

        CSekisanData::Input inside(data);
        Item(index).*c.field = c.inside;
        EXPECT_EQ(inside.Commit(c.gyomu), Result::Taken);
        EXPECT_EQ(StoredBytes(List()), PlainlyPriced(priced, index, c.field, c.inside, c.gyomu, nullptr));
        EXPECT_FALSE(data.GetCalcLimits().Any());
    }
}

TEST_F(InputLimitsTest, AnEstimatePastALimitTakesInputsThatGoNoFurther) {
    // 20,000 km of a conventional row: the direct sum was restarted before the input.
    PricedKm(10, true);
    PricedKm(20, true);
    build.Gyomu(Gyomu::Sekkei, "設計業務");
    KmRow(10, "水路設計", 20'000'000);
    KmRow(20, "農道設計", 1'000);
    build.Koshu(Koshu::GyomuKakaku, "業務価格");
    SummaryRows();
    data.Recalculate(0);
    ASSERT_EQ(data.GetCalcLimits().directCapped, std::set<int>{2});
    const int other = Find(Gyomu::Sekkei, 20, 1), big = Find(Gyomu::Sekkei, 10, 1);

    // Another row changed: the same limit, taken.
    CSekisanData::Input first(data);
    Item(other).m_nQuantity = 2'000;
    EXPECT_EQ(first.Commit(Gyomu::Sekkei), Result::Taken);
    EXPECT_EQ(Item(other).m_nAmount, 200'000);
    // The row brought back inside: taken, the record empty.
    CSekisanData::Input second(data);
    Item(big).m_nQuantity = 1'000;
    EXPECT_EQ(second.Commit(Gyomu::Sekkei), Result::Taken);
    EXPECT_FALSE(data.GetCalcLimits().Any());
    // From there, past it again: put back.
    const std::string inside = StoredBytes(List());
    CSekisanData::Input third(data);
    Item(big).m_nQuantity = 20'000'000;
    EXPECT_EQ(third.Commit(Gyomu::Sekkei), Result::PastLimit);
    EXPECT_EQ(StoredBytes(List()), inside);
}

// With a row left without a price, an input that leaves it so is taken; one that leaves another row
// without a price is put back, also when that row has the same name.
TEST_F(InputLimitsTest, AnInputLeavingASecondRowWithoutAPriceIsPutBack) {
    using Rows = std::map<int, std::vector<std::string>>;
    PricedKm(10);
    PricedKm(20);
    build.Gyomu(Gyomu::Sekkei, "設計業務");
    KmRow(10, "水路設計", 1'000);
    KmRow(20, "水路設計", 1'000);
    build.Koshu(Koshu::GyomuKakaku, "業務価格");
    SummaryRows();
    Item(Find(Gyomu::Sekkei, 10, 1)).m_nWeightAverage = 2'200'000;  // 220,000,000 yen a km
    data.Recalculate(0);
    ASSERT_EQ(data.GetCalcLimits().unitPriceRows, (Rows{{2, {"水路設計"}}}));
    for (const auto [koshu, result] : {std::pair{10, Result::Taken}, std::pair{20, Result::PastLimit}}) {
        const std::string before = StoredBytes(List());
        CSekisanData::Input input(data);
        Item(Find(Gyomu::Sekkei, koshu, 1)).m_nWeightAverage = 2'300'000;
        EXPECT_EQ(input.Commit(Gyomu::Sekkei), result) << koshu;
        EXPECT_EQ(input.Past().unitPriceRows, (result == Result::Taken ? Rows{} : Rows{{2, {"水路設計"}}}));
        EXPECT_EQ(StoredBytes(List()) == before, result == Result::PastLimit);
    }
}

TEST_F(InputLimitsTest, ATakenInputStillNamesAMissingPrice) {
    Worker(1002, -1, 0, "技師");  // no price entered
    PricedKm(10, false, 0, 1002);
    build.Gyomu(Gyomu::Sekkei, "設計業務");
    KmRow(10, "水路設計", 1'000);
    build.Koshu(Koshu::GyomuKakaku, "業務価格");
    CSekisanData::Input input(data);
    Item(Find(Gyomu::Sekkei, 10, 1)).m_nQuantity = 2'000;
    EXPECT_EQ(input.Commit(Gyomu::Sekkei), Result::Taken);
    EXPECT_EQ(Messages(), std::vector<std::string>{vemo::FillText(txt::MsgMissingPrice, {"水路設計"})});
}

TEST_F(InputLimitsTest, CheckingTheLimitsPricesACopyWithoutAWordAndLeavesTheFigures) {
    // As saved: 20,000 km of a conventional row whose stored amounts are those of another day, and a
    // row whose price per km (300,000,000 yen) is beyond what a unit price can hold.
    Worker(1002, 150'000'000, 0, "特別技師");
    PricedKm(10, true);
    PricedKm(20, false, 0, 1002);
    build.Gyomu(Gyomu::Sekkei, "設計業務");
    KmRow(10, "水路設計", 20'000'000);
    build.Amount(123);
    KmRow(20, "特殊設計", 1'000);
    build.Koshu(Koshu::GyomuKakaku, "業務価格").Amount(456);
    SummaryRows();
    const std::string stored = StoredBytes(List());

    const Limits& limits = data.CheckLimits();
    EXPECT_EQ(limits.directCapped, std::set<int>{2});
    EXPECT_EQ(limits.UnitPriceGyomu(), std::set<int>{2});
    EXPECT_EQ(limits.Gyomu(), std::set<int>{2});
    EXPECT_EQ(&limits, &data.GetCalcLimits());
    EXPECT_EQ(StoredBytes(List()), stored);
    EXPECT_TRUE(Messages().empty());

    // A recalculation of the estimate itself keeps its figures and names the 業務 in its record
    // alone: the view tells the user once, by the record.
    data.Recalculate(0);
    EXPECT_EQ(data.GetCalcLimits().UnitPriceGyomu(), std::set<int>{2});
    EXPECT_TRUE(Messages().empty());
}

TEST(CalcLimits, TheBusinessesNamedAndWhetherOneRecordLiesWithinAnother) {
    Limits none;
    Limits direct;
    direct.directCapped = {2};
    Limits several;
    several.directCapped = {2};
    several.costCapped = {3};
    several.saturated = {5};
    several.unitPriceRows[7] = {"水路設計"};
    Limits total;
    total.totalCapped = true;
    EXPECT_FALSE(none.Any());
    EXPECT_TRUE(total.Any());
    EXPECT_TRUE(total.Gyomu().empty());
    EXPECT_EQ(several.Gyomu(), (std::set<int>{2, 3, 5, 7}));
    EXPECT_TRUE(none.Within(direct));
    EXPECT_TRUE(direct.Within(several));
    EXPECT_FALSE(several.Within(direct));
    EXPECT_FALSE(total.Within(several));
    EXPECT_TRUE(total.Within(total));
    Limits costOf2;
    costOf2.costCapped = {2};
    EXPECT_FALSE(costOf2.Within(direct)) << "a 業務 named for another limit";
}

}  // namespace
}  // namespace driver_test
