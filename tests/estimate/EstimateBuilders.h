// Test support for the tests of estimate/: EstimateBuilders.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "HexText.h"
#include "estimate/SekisanItemList.h"

class CArchive;

// Small builders of work items, item lists and estimate files for the tests of the estimate.
namespace estimate_test {

// A node with the given codes (kUnset leaves a code empty) and upper name.
std::unique_ptr<CSekisanItem> MakeItem(int32_t gyomu, int32_t koshu = kUnset, int32_t shubetsu = kUnset,
                                       const std::string& nameUpper = {});

// Gives every field of the item a distinct value derived from seed (texts included), so that a test
// can see whether each field was copied, written or read.
void FillEveryField(CSekisanItem& item, int32_t seed);

// Whether two items hold the same value in every field; on a difference, names the first field.
::testing::AssertionResult SameItem(const CSekisanItem& a, const CSekisanItem& b);

// Appends nodes in tree order:
//   ItemListBuilder(list).Gyomu(1, "測量業務").Koshu(10).Shubetsu(101).Set([](CSekisanItem& i) { ... });
// Koshu takes the 業務 of the last Gyomu; Shubetsu the 業務 and 工種 of the last Koshu.
class ItemListBuilder {
public:
    explicit ItemListBuilder(CSekisanItemList& list) : m_list(list) {}

    ItemListBuilder& Gyomu(int32_t gyomu, const std::string& name = {});
    ItemListBuilder& Koshu(int32_t koshu, const std::string& name = {});
    ItemListBuilder& Shubetsu(int32_t shubetsu, const std::string& name = {});
    // A summary row (業務 89, 95..99): a 業務 node that does not change the current 業務.
    ItemListBuilder& Summary(int32_t code, const std::string& name = {});
    // A node exactly as given (any codes), for odd shapes.
    ItemListBuilder& Node(std::unique_ptr<CSekisanItem> item);

    // Changes the node added last.
    ItemListBuilder& Set(const std::function<void(CSekisanItem&)>& change);
    ItemListBuilder& Quantity(int32_t x1000);
    ItemListBuilder& UnitPrice(int32_t x10);
    ItemListBuilder& Amount(int32_t yen);
    ItemListBuilder& NoPrint();
    ItemListBuilder& DaikaNo(int32_t no);

    CSekisanItem& Last();
    int LastIndex() const { return m_list.GetUpperBound(); }

private:
    CSekisanItemList& m_list;
    int32_t m_gyomu = kUnset;
    int32_t m_koshu = kUnset;
};

// An estimate file in the layout of the given version, written independently of the program's
// writer: signature, version, flags, then the list header and items (8 rate slots up to 1.02, the
// material-price file and date from 1.01, the extra rate from 1.02).
std::string SeiFileBytes(const CSekisanItemList& list, int32_t version, int32_t flags = 0,
                         const std::string& signature = "積算農林ﾌｧｲﾙ ZORVA Development Corp.");
// One item in the layout of the given version.
void WriteItemInLayout(CArchive& ar, const CSekisanItem& item, int32_t version);
// The bytes the program's own writer stores for the list (header and items), for comparing a list
// with itself byte for byte.
std::string StoredBytes(const CSekisanItemList& list);

// "業務.工種.種別" of every node, empty codes left out, blank-separated ("2 2.301 2.301.1").
std::string RowCodes(const CSekisanItemList& list);

// Byte texts for readable comparisons (HexText.h).
using ::FromHex;
using ::Hex;

}  // namespace estimate_test
