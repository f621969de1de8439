// Test support for the tests of app/: AppProgramFolder.
#include "AppProgramFolder.h"

#include "MasterBuilders.h"
#include "master/MasterFile.h"
#include "platform/FileUtil.h"

using namespace masterbuild;

namespace {
template <class Root>
void WriteMaster(const std::string& path, Root root) {
    WriteTestFile(path, StoreMasterBytes(root));
}
}  // namespace

AppProgramFolder::AppProgramFolder() {
    WriteMasterSet(masters);
    WriteMaster(data + "/表紙データ.daa", SampleHyoshiData());
    CZairyoTankaFile zairyo = SampleZairyoTankaFile();
    zairyo.m_title = "材料単価 令和7年度";
    WriteMaster(data + "/材料単価データ25.zoa", std::move(zairyo));
}

void AppProgramFolder::WriteMasterSet(const std::string& masterFolder) {
    WriteMaster(masterFolder + "/歩掛データ.soa", SampleBukakeFile());
    WriteMaster(masterFolder + "/変化率データ.soa", SampleHenkaritsuFile());
    const std::string dataFolder = vemo::ParentFolder(masterFolder);
    CTankaFile tankaFile = SampleTankaFile();
    tankaFile.m_defaultColumn = 1;
    tankaFile.m_columnTitles[1] = "令和7年度単価";
    WriteMaster(dataFolder + "/単価データ.daa", std::move(tankaFile));
    WriteMaster(dataFolder + "/諸経費データ.daa", SampleShokeihiFile());
    WriteMaster(dataFolder + "/プログラム金額データ.daa", SampleProgramKingakuFile());
}
