// Test support for the tests of app/: AppProgramFolder.
#include "AppProgramFolder.h"

#include "MasterBuilders.h"
#include "master/MasterFile.h"

using namespace masterbuild;

namespace {
template <class Root>
void WriteMaster(const std::string& path, Root root) {
    WriteTestFile(path, StoreMasterBytes(root));
}
}  // namespace

AppProgramFolder::AppProgramFolder() {
    WriteMaster(masters + "/歩掛データ.soa", SampleBukakeFile());
    WriteMaster(masters + "/変化率データ.soa", SampleHenkaritsuFile());
    CTankaFile tankaFile = SampleTankaFile();
    tankaFile.m_defaultColumn = 1;
    tankaFile.m_columnTitles[1] = "令和7年度単価";
    WriteMaster(tanka, std::move(tankaFile));
    WriteMaster(data + "/諸経費データ.daa", SampleShokeihiFile());
    WriteMaster(data + "/プログラム金額データ.daa", SampleProgramKingakuFile());
    WriteMaster(data + "/表紙データ.daa", SampleHyoshiData());
    CZairyoTankaFile zairyo = SampleZairyoTankaFile();
    zairyo.m_title = "材料単価 令和7年度";
    WriteMaster(data + "/材料単価データ25.zoa", std::move(zairyo));
}
