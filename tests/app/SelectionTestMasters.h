// Test support for the tests of app/: SelectionTestMasters.
#pragma once
#include <string>
#include <vector>

#include "master/BukakeFile.h"
#include "master/TankaFile.h"

// A small 歩掛 master for the selection tests. 業務 in master order 1, 2, 4, 98, 99, 6 (so that the
// master's order differs from the codes'). 業務 2 has the 工種 30, 20, 92, 40 (master order), 工種 20
// the 種別 201 "詳細設計一般" and 202 "詳細設計特殊", 工種 30 the 種別 301; 業務 1 has the 工種 10
// with the 種別 101. Every 工種 and 種別 name is unique.
CBukakeFile SelectionTestBukake();
// The allowed 業務 codes of the 業務 lists (CVemoWinApp::GetGyomuCodes with the common codes).
std::vector<uint8_t> SelectionTestGyomuCodes();
// A 単価 master with the consumption-tax rate (percent ×100).
CTankaFile SelectionTestTanka(int32_t consumptionTax);
