// Test support for the tests of app/: SelectionTestMasters.
#include "SelectionTestMasters.h"

#include "MasterBuilders.h"
#include "app/VemoWinApp.h"

using namespace masterbuild;

CBukakeFile SelectionTestBukake() {
    CBukakeFile file;
    CBukakeGyomu& g1 = AddGyomu(file, 1, "測量業務");
    AddShubetsu(AddKoshu(g1, 10, "基準点測量"), 101, "３級基準点測量");
    CBukakeGyomu& g2 = AddGyomu(file, 2, "設計業務");
    AddShubetsu(AddKoshu(g2, 30, "設計計画"), 301, "計画一般");
    CBukakeKoshu& k20 = AddKoshu(g2, 20, "詳細設計");
    AddShubetsu(k20, 201, "詳細設計一般");
    AddShubetsu(k20, 202, "詳細設計特殊");
    AddKoshu(g2, 92, "諸経費");
    AddKoshu(g2, 40, "照査");
    AddGyomu(file, 4, "土質調査業務（一般）");
    AddGyomu(file, 98, "消費税相当額");
    AddGyomu(file, 99, "業務委託料計");
    AddGyomu(file, 6, "区画整理測量業務");
    return file;
}

std::vector<uint8_t> SelectionTestGyomuCodes() {
    std::vector<uint8_t> codes;
    CVemoWinApp::GetGyomuCodes(codes, true, 0);
    return codes;
}

CTankaFile SelectionTestTanka(int32_t consumptionTax) {
    CTankaFile tanka;
    tanka.m_consumptionTax = consumptionTax;
    return tanka;
}
