#pragma once
#include <memory>

#include "estimate/SekisanItem.h"

class CBukakeGyomu;
class CBukakeKoshu;
class CBukakeShubetsu;
class CHenkaritsuFile;
class CTankaFile;

// The nodes the 業務, 工種 and 種別 selections add to an estimate, made from the 歩掛 master with
// their defaults. The sample estimates are built from the same nodes.

// A 業務 node: code and name; 業務 98 (消費税相当額) also 1 式 at the 単価 master's consumption-tax
// rate with the rate as its remark ("10.00%"), or without rate and remark when the master has none.
std::unique_ptr<CSekisanItem> NewGyomuItem(const CBukakeGyomu& gyomu, const CTankaFile& tanka);
// A 工種 node of 業務 gyomu: codes and name; rate rows (70..79, 700..799) 1 式 at 100 % (2.5 % for 工種
// 70 in 業務 1 and 6); the rows 92, 93, 94 and 98 1 式.
std::unique_ptr<CSekisanItem> NewKoshuItem(int gyomu, const CBukakeKoshu& koshu);
// A 種別 node seeded from the master: codes, name, unit (1 at 100 % for "式" and "業務"), H1..H8 with
// the standard cells of the records of the 業務's 変化率・補正率 group, a 工程 flag for each named line
// other than the 費目 lines, the 安全費 rate of the 業務 and the special-expense flag by the 業務's
// coefficient.
std::unique_ptr<CSekisanItem> NewShubetsuItem(int gyomu, const CBukakeKoshu& koshu, const CBukakeShubetsu& shubetsu,
                                              const CHenkaritsuFile& henkaritsu);
