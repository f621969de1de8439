// Test support for the tests of report/: ReportTestFixture.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "TempFolder.h"
#include "XlsTestSupport.h"
#include "report/XlsReportEngine.h"

// An engine with the standard template open.
class ReportEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_template = m_dir / "帳票.xlsx";
        WriteTestFile(m_template, xlstest::BuildTemplate(xlstest::StandardTemplate()));
        ASSERT_EQ(m_engine.OpenTemplate(m_template), XlsOpenError::none) << m_engine.FailureDetail();
    }

    // The output as it stands, read back with plain pugixml.
    std::unique_ptr<xlstest::Output> Out() {
        std::string bytes;
        EXPECT_TRUE(m_engine.BuildXlsx(bytes));
        return std::make_unique<xlstest::Output>(bytes);
    }

    // One page of the sheet with the given writes.
    template <class Writes>
    void Page(const std::string& sheet, Writes writes) {
        m_engine.PageBegin(sheet, "1");
        ASSERT_EQ(m_engine.GetErrorNo(), 0);
        writes();
        m_engine.PageEnd();
    }

    TempFolder m_dir;
    std::string m_template;
    CXlsReportEngine m_engine;
};
