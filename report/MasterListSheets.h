#pragma once
#include <string>

class CBukakeGyomu;
class CBukakeKoshu;
class CHenkaritsuGyomu;
class CReportJob;
class CTankaFile;

// The lists the master editors print, each written into a job from the master-list template
// (MasterListTemplatePath). Every writer opens the template first and returns the number of pages it
// wrote: 0 for an empty list (the template is open, no page is begun), -1 when the template could not
// be opened (the job has told the user why; nothing is written).
//
// The 工種, 種別 and 変化率・補正率 lists put 40 entries on a page in two blocks of 20 rows, the second
// block five columns right of the first; each entry shows its position in the whole list ("**No") and
// its name ("**データ"). The 単価一覧 puts 35 trades on a page.
namespace masterlist {

inline constexpr int kBlockRows = 20;
inline constexpr int kBlocksPerPage = 2;
inline constexpr int kBlockColumns = 5;  // the second block lies this many columns right of the first
inline constexpr int kTankaRows = 35;

// [program folder]/フォーム/マスター用.xlsx
std::string MasterListTemplatePath(const std::string& programFolder);

// The 工種 of a 業務, titled with its name and "工種一覧".
int WriteKoshuList(CReportJob& job, const std::string& templatePath, const CBukakeGyomu& gyomu);
// The 種別 of one 工種 of the 業務, titled with the 業務 name and "種別一覧" above the 工種 name; a
// 種別 with a coefficient shows it (÷ 100) beside its name.
int WriteShubetsuList(CReportJob& job, const std::string& templatePath, const CBukakeGyomu& gyomu,
                      const CBukakeKoshu& koshu);
// The records of one 変化率・補正率 group, titled with its name and "一覧".
int WriteHenkaritsuList(CReportJob& job, const std::string& templatePath, const CHenkaritsuGyomu& group);
// The trades of the 単価 master: name, unit, the twenty prices under their column titles (an unset
// price stays empty) and remarks.
int WriteTankaList(CReportJob& job, const std::string& templatePath, const CTankaFile& tanka);

}  // namespace masterlist
