// Test support for the tests of master/: StoreFixture.
#include "StoreFixture.h"

#include "platform/FileUtil.h"

namespace storetest {

using namespace masterbuild;

CTankaFile NamedTanka(const std::string& columnTitle) {
    CTankaFile t;
    t.m_defaultColumn = 1;
    t.m_columnTitles[1] = columnTitle;
    AddTankaRow(t, 1000, "測量技師", {50000, 51000});
    return t;
}

CZairyoTankaFile NamedZairyo(const std::string& title) {
    CZairyoTankaFile z;
    z.m_title = title;
    AddZairyoItem(z, 1000, 0, "杭", 120.0);
    return z;
}

CBukakeFile NamedBukake(const std::string& name) {
    CBukakeFile b;
    AddGyomu(b, 1, name);
    return b;
}

ProgramFolder::ProgramFolder() {
    WriteMasterSet(masters, "標準");
    WriteMaster(data + "/表紙データ.daa", SampleHyoshiData());
    WriteMaster(data + "/材料単価データ25.zoa", NamedZairyo("材料単価 令和7年度"));
}

void ProgramFolder::WriteMasterSet(const std::string& masterFolder, const std::string& label) {
    WriteMaster(masterFolder + "/歩掛データ.soa", NamedBukake(label));
    WriteMaster(masterFolder + "/変化率データ.soa", SampleHenkaritsuFile());
    std::string dataFolder = vemo::ParentFolder(masterFolder);
    WriteMaster(dataFolder + "/単価データ.daa", NamedTanka(label + "単価"));
    WriteMaster(dataFolder + "/諸経費データ.daa", SampleShokeihiFile());
    WriteMaster(dataFolder + "/プログラム金額データ.daa", SampleProgramKingakuFile());
}

std::vector<std::string> ProgramFolder::LockableFiles() const {
    return {masters + "/歩掛データ.soa", masters + "/変化率データ.soa", data + "/単価データ.daa",
            data + "/諸経費データ.daa", data + "/プログラム金額データ.daa", data + "/材料単価データ25.zoa"};
}

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &m_previous);
    m_handler = ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = m_previous;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &m_previous);
    ::signal(SIGXFSZ, m_handler);
}

}  // namespace storetest
