// Tests of estimate/SeiFileNames.h.
#include <gtest/gtest.h>

#include "estimate/SeiFileNames.h"

using namespace sei;

TEST(SeiFileNames, NewDocumentsAreNumbered) {
    EXPECT_EQ(NewDocumentTitle(1), "積算データ1");
    EXPECT_EQ(NewDocumentTitle(12), "積算データ12");
}

TEST(SeiFileNames, OlderExtensionsAreNotWrittenTo) {
    EXPECT_TRUE(IsWriteProtectedName("/home/u/見積.sea"));
    EXPECT_TRUE(IsWriteProtectedName("/home/u/見積.sec"));
    EXPECT_TRUE(IsWriteProtectedName("/home/u/見積.see"));
    EXPECT_TRUE(IsWriteProtectedName("ab.sea"));   // 6 bytes
    EXPECT_FALSE(IsWriteProtectedName("a.sea"));   // 5 bytes are never looked at
    EXPECT_FALSE(IsWriteProtectedName("/home/u/見積.SEA"));  // case-sensitive
    EXPECT_FALSE(IsWriteProtectedName("/home/u/見積.sei"));
    EXPECT_FALSE(IsWriteProtectedName("/home/u/見積.seb"));
    EXPECT_FALSE(IsWriteProtectedName("/home/u/見積.sea.sei"));
    EXPECT_FALSE(IsWriteProtectedName("/home/u.sea/見積"));  // a dot in a folder name is no extension
    EXPECT_FALSE(IsWriteProtectedName(""));
}

TEST(SeiFileNames, RefusedNamesAreProposedWithTheSeiExtension) {
    EXPECT_EQ(AdjustRefusedName("/home/u/見積.sea"), "/home/u/見積.sei");
    EXPECT_EQ(AdjustRefusedName("/home/u/見積.see"), "/home/u/見積.sei");
    EXPECT_EQ(AdjustRefusedName("/home/u/見積.sei"), "/home/u/見積.sei");
    EXPECT_EQ(AdjustRefusedName("/home/u/見積.txt"), "/home/u/見積.txt");
    EXPECT_EQ(AdjustRefusedName(""), "");
}

TEST(SeiFileNames, TitlesAreCutAtCharactersUnfitForFileNames) {
    EXPECT_EQ(TitleAsFileName("積算データ1"), "積算データ1");
    EXPECT_EQ(TitleAsFileName("積算 データ1"), "積算");
    EXPECT_EQ(TitleAsFileName("a#b"), "a");
    EXPECT_EQ(TitleAsFileName("a%b"), "a");
    EXPECT_EQ(TitleAsFileName("a;b"), "a");
    EXPECT_EQ(TitleAsFileName("a/b"), "a");
    EXPECT_EQ(TitleAsFileName("a\\b"), "a");
    EXPECT_EQ(TitleAsFileName(" a"), "");
    // Only a filter extension holding ';' contributes its first part.
    EXPECT_EQ(TitleAsFileName("積算データ1", ".sei;.seb"), "積算データ1.sei");
    EXPECT_EQ(TitleAsFileName("積算データ1", ".sei"), "積算データ1");
}

TEST(SeiFileNames, SavePlans) {
    // Save of an opened file writes to it at once.
    SaveNamePlan p = PlanSaveName("/w/見積.sei", true, "/w/見積.sei", "見積.sei");
    EXPECT_FALSE(p.prompt);
    EXPECT_EQ(p.name, "/w/見積.sei");

    // Save of an older-format file asks, proposing the .sei name beside it.
    p = PlanSaveName("/w/見積.sea", true, "/w/見積.sea", "見積.sea");
    EXPECT_TRUE(p.prompt);
    EXPECT_EQ(p.name, "/w/見積.sei");

    // Save As of an opened file proposes its own name.
    p = PlanSaveName("", true, "/w/見積.sei", "見積.sei");
    EXPECT_TRUE(p.prompt);
    EXPECT_EQ(p.name, "/w/見積.sei");

    // A new document proposes its title, cut before a space.
    p = PlanSaveName("", true, "", "積算データ1");
    EXPECT_TRUE(p.prompt);
    EXPECT_EQ(p.name, "積算データ1");
    p = PlanSaveName("", true, "", "積算 データ2");
    EXPECT_EQ(p.name, "積算");

    // Save Copy As of a new document proposes nothing.
    p = PlanSaveName("", false, "", "積算データ1");
    EXPECT_TRUE(p.prompt);
    EXPECT_EQ(p.name, "");
}
