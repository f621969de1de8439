// The table a recalculation remembers lookups and formula values in: each value is formed once per
// key, and every key keeps its own value as the table grows.
#include <gtest/gtest.h>

#include "estimate/RecalcCache.h"

namespace {

TEST(RecalcMemo, FormsEachValueOnceAndKeepsEveryKeyAsItGrows) {
    CRecalcMemo<3, const int*> memo;
    const int target = 7;
    int made = 0;
    // Keys that differ in one word only, and in the first or the last; a null value is remembered too.
    auto keyOf = [](int n) { return CRecalcMemo<3, const int*>::Key{uint64_t(n % 3), 42, uint64_t(n / 3)}; };
    auto valueOf = [&](int n) { return n % 2 ? &target : nullptr; };
    constexpr int kKeys = 5000;
    for (int round = 0; round < 2; ++round) {
        for (int n = 0; n < kKeys; ++n) {
            const int* got = memo.Get(keyOf(n), [&] {
                ++made;
                return valueOf(n);
            });
            ASSERT_EQ(got, valueOf(n)) << "key " << n << ", round " << round;
        }
        EXPECT_EQ(made, kKeys);
    }
}

}  // namespace
