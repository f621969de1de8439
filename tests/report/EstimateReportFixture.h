// Test support for the tests of report/: EstimateReportFixture.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CalcTestEnv.h"
#include "EstimateFormTemplate.h"
#include "MasterBuilders.h"
#include "ScriptedHost.h"
#include "TempFolder.h"
#include "XlsTestSupport.h"
#include "estimate/SekisanItemList.h"
#include "master/HyoshiData.h"
#include "report/ReportJob.h"

// A 歩掛 detail of 2.50 km over the 職種 1001, 1002 and 1003: 作業計画 0.50 and 1.00, 観測 0.25, 1.50
// and 2.00, 整理 1.00 of each.
inline void FillThreeLineDetail(CBukakeDetail& detail) {
    detail.m_quantity = 250;
    detail.m_unit = "km";
    detail.m_shokushu = {1001, 1002, 1003, kUnset, kUnset, kUnset, kUnset, kUnset, kUnset, kUnset};
    masterbuild::AddLine(detail, "作業計画", {50, 100});
    masterbuild::AddLine(detail, "観測", {25, 150, 200});
    masterbuild::AddLine(detail, "整理", {100, 100, 100});
}

// What the tests of the estimate report's sheet builders work on: an estimate list priced from the
// masters of a calculation environment, a cover, and a form workbook in a folder of the test's own.
class EstimateReportFixture : public ::testing::Test {
protected:
    // The form: a workbook of these sheets.
    void UseForm(const std::vector<estimateform::SheetDef>& sheets) {
        form = dir / "form.xlsx";
        WriteTestFile(form, estimateform::BuildForm(sheets));
    }
    // The job's workbook as built, read back with plain pugixml.
    static std::unique_ptr<xlstest::Output> BuiltOutput(CReportJob& job) {
        std::string bytes;
        EXPECT_TRUE(job.Engine().BuildXlsx(bytes));
        return std::make_unique<xlstest::Output>(bytes);
    }
    // The same, or null when the workbook cannot be built.
    static std::unique_ptr<xlstest::Output> OutputOrNull(CReportJob& job) {
        std::string bytes;
        if (!job.Engine().BuildXlsx(bytes)) return nullptr;
        return std::make_unique<xlstest::Output>(bytes);
    }

    ScriptedHost host;
    TempFolder dir;
    CalcTestEnv env;
    CHyoshiData cover;
    CSekisanItemList list;
    std::string form;
};
