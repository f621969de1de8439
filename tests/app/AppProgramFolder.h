// Test support for the tests of app/: AppProgramFolder.
#pragma once
#include <string>

#include "TempFolder.h"

// A program folder laid out as shipped, for tests that start the application: データ格納 with the
// masters made by the master builders (the default price column 1 titled "令和7年度単価"), the
// cover data and the material prices.
struct AppProgramFolder {
    TempFolder root;
    std::string data = root / "データ格納";
    std::string masters = data + "/参考マスター25";
    std::string tanka = data + "/単価データ.daa";

    AppProgramFolder();

    // The master set of a master folder: the 歩掛 and 変化率 masters in it, the 単価, 諸経費 and
    // プログラム金額 masters in the data folder above it.
    static void WriteMasterSet(const std::string& masterFolder);
};
