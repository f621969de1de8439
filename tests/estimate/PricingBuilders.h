// Test support for the tests of estimate/: PricingBuilders.
#pragma once
#include <string>

#include <gtest/gtest.h>

#include "CalcTestEnv.h"
#include "ScriptedHost.h"
#include "estimate/EstimateTexts.h"
#include "estimate/SekisanData.h"

// A fixture for the pricing tests: masters built in code (installed as the calculation
// environment), a scripted host and an estimate priced on price column 0.
namespace pricing_test {

using namespace calc;
namespace txt = estimate_texts;

class PricingTest : public ::testing::Test {
protected:
    PricingTest();

    CSekisanItemList& List() { return *data.GetItemList(); }
    CSekisanItem& Item(int index);

    // The 歩掛 種別 with those codes; its 業務 and 工種 are added to the master when missing.
    CBukakeShubetsu& MasterShubetsu(int gyomu, int koshu, int shubetsu, int32_t coefficient = kUnset);
    CBukakeDetail& Detail(int gyomu, int koshu, int shubetsu) { return MasterShubetsu(gyomu, koshu, shubetsu).GetDetail(); }
    // The 変化率・補正率 group of a 業務, added when missing.
    CHenkaritsuGyomu& RateGroup(int gyomu);
    // A 単価 row whose price in column 0 is the given one.
    CTankaRow& Worker(int id, int price, int kind = 0, const std::string& name = "");

    // Appends a 種別 node (and the 業務 and 工種 nodes in front of it when the list does not end in
    // them); returns its position. Its name is the upper name line.
    int AddRow(int gyomu, int koshu, int shubetsu, const std::string& name = "");
    // Appends a 工種 node (and its 業務 node when needed); returns its position.
    int AddKoshuRow(int gyomu, int koshu, const std::string& name = "");

    CalcTestEnv env;
    ScriptedHost host;
    CSekisanData data;
};

}  // namespace pricing_test
