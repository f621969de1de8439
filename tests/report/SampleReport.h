// Test support for the tests of report/: SampleReport.
#pragma once
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "estimate/VemoWinDocData.h"
#include "estimate/sampledata/SampleEstimates.h"
#include "master/HyoshiData.h"
#include "platform/FileUtil.h"
#include "report/EstimateReport.h"
#include "report/PrintFormText.h"
#include "report/ReportJob.h"

// Loads the sample estimate of that file name into doc, prices it with the sample masters and prints it
// on the form (with the form's text twin when it has one), the 代価表 and the 代価明細表 on: the
// workbook's bytes ("" when the estimate did not load or the workbook could not be built).
inline std::string PrintSampleBreakdown(SampleEstimateMasters& masters, const std::string& sample,
                                        const std::string& formPath, CVemoWinDocData& doc) {
    if (doc.LoadFile(vemo::JoinPath(vemo::JoinPath(VEMO_SAMPLE_DATA_DIR, kSampleEstimateFolder), sample)) != 1) {
        ADD_FAILURE() << sample << " does not load";
        return {};
    }
    EXPECT_TRUE(PriceSampleEstimate(doc, masters).empty());
    std::optional<CPrintFormText> twin;
    CPrintFormText text;
    if (LoadPrintFormText(formPath, text) == 0) twin = text;
    CReportJob job;
    CPrintSettings settings;
    settings.printDaika = 1;
    settings.printDaikaMeisai = 1;
    job.SetSettings(settings);
    CHyoshiData cover;
    CEstimateReport(job, *doc.GetItemList(), masters, cover, 10, formPath, twin).BuildReport();
    std::string bytes;
    EXPECT_TRUE(job.Engine().BuildXlsx(bytes));
    return bytes;
}
