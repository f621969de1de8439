// Test support for the tests of estimate/: DriverBuilders.
#pragma once
#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "CalcTestEnv.h"
#include "EstimateBuilders.h"
#include "ScriptedHost.h"
#include "estimate/EstimateTexts.h"
#include "estimate/SekisanData.h"

// A fixture for the tests of the main pass and the recalculation: masters built in code (installed
// as the calculation environment), a scripted host, and an estimate priced on price column 0 whose
// rows are appended with estimate_test::ItemListBuilder.
namespace driver_test {

using namespace calc;
namespace txt = estimate_texts;

class DriverTest : public ::testing::Test {
protected:
    DriverTest();

    CSekisanItemList& List() { return *data.GetItemList(); }
    CSekisanItem& Item(int index);
    // The first row with those codes (kUnset leaves a code empty); fails the test when absent.
    CSekisanItem& Row(int gyomu, int koshu, int shubetsu = kUnset);
    // Position of the first row with those codes, −1 when absent.
    int Find(int gyomu, int koshu, int shubetsu = kUnset);

    // Master records, added when missing.
    CBukakeKoshu& MasterKoshu(int gyomu, int koshu, int splitFlag = 0);
    CBukakeShubetsu& MasterShubetsu(int gyomu, int koshu, int shubetsu);
    CHenkaritsuGyomu& RateGroup(int gyomu);
    // A 単価 row priced in column 0.
    CTankaRow& Worker(int id, int price, int kind = 0, const std::string& name = "");

    // Texts of the messages the host was asked to show.
    std::vector<std::string> Messages() const { return host.MessageTexts(); }

    CalcTestEnv env;
    ScriptedHost host;
    CSekisanData data;
    estimate_test::ItemListBuilder build{*data.GetItemList()};
};

}  // namespace driver_test
