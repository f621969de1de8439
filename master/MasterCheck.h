#pragma once
#include "master/MasterStore.h"

// Menu command "整合性チェック...": walks every 歩掛 detail and reports each 変化率・補正率 code (H1..H8)
// that the 業務's rate group lacks and each trade code that no 単価 row has. It changes nothing.
// 1 when both reports were shown; 0 when the user declined or cancelled in the progress window.
int OnCheckConsistency(CMasterDataStore& store);
