#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "estimate/NewItems.h"
#include "estimate/SekisanItemList.h"

class CBukakeFile;
class CBukakeGyomu;
class CBukakeKoshu;
class CBukakeShubetsu;
class CHenkaritsuFile;
class CTankaFile;

// What the 業務, 工種 and 種別 selections do to the estimate's item list, without the dialogs: the
// initial 工種 of a new 業務, the icons of the master's entries, the chosen nodes of a level and the
// list rebuilt from them. The new nodes they add are those of estimate/NewItems.h.

// ---- icons: cells of the 歩掛 list strip ----------------------------------------------------------

// The cell of a 業務.
inline constexpr int kGyomuImage = 0;
// The cell of a 工種 of 業務 gyomu: its code group plus 2 (standard), 11 (user-created), 20 (業務 4
// and 5, codes 400..689 and 840..849, new method), 29 (user-created, traditional method) or 38
// (standard, traditional method).
int KoshuImage(int gyomu, const CBukakeKoshu& koshu);
// The cell of a 種別 under 工種 koshuCode: 8, 17, 26, 35 or 44 by the same rules.
int ShubetsuImage(int gyomu, int koshuCode, const CBukakeShubetsu& shubetsu);

// ---- the initial 工種 of a new 業務 ----------------------------------------------------------------

// The most codes an initial-selection file gives.
inline constexpr int kInitialSelectionCodes = 20;
// Which initial-selection file the 歩掛 master's method flag asks for (0 the new list, 1 the older one).
int InitialSelectionVariant(const CBukakeFile& bukake);
// The 工種 codes chosen for a 業務 without 工種, in master order: those listed in the file when
// fileCodes (what the file gave, ending at the first -1) names any, else those of the rule by 業務
// and the master's method flag.
std::vector<int32_t> InitialKoshuSelection(const CBukakeFile& bukake, int gyomu, std::span<const int> fileCodes);

// ---- the chosen nodes of one level ----------------------------------------------------------------

// One node of the level: its code and where its subtree stands in the working list (-1: a node the
// selection adds).
struct ChosenNode {
    int32_t code;
    int source;
    bool operator==(const ChosenNode&) const = default;
};

// The chosen nodes of one level (the 業務 of the estimate, or the 工種 of one 業務) against the codes
// the master offers there. A chosen node whose code is not offered (a 業務 that is not listed, a 工種
// missing from the master) is not listed and stays where it stands; the listed ones follow the
// master's order once the user has added or removed one.
class CNodeChoice {
public:
    CNodeChoice() = default;
    CNodeChoice(std::vector<int32_t> offered, std::vector<ChosenNode> chosen)
        : m_offered(std::move(offered)), m_chosen(std::move(chosen)) {}

    const std::vector<int32_t>& Offered() const { return m_offered; }
    const std::vector<ChosenNode>& Chosen() const { return m_chosen; }
    bool IsListed(int32_t code) const { return Rank(code) >= 0; }
    // The offered codes not chosen, in master order.
    std::vector<int32_t> MasterCodes() const;
    // Positions in Chosen() of the listed nodes, in order.
    std::vector<size_t> ListedChosen() const;
    // Adds new nodes of these codes (offered ones only).
    void Add(const std::vector<int32_t>& codes);
    // Removes the chosen nodes at these positions of Chosen() (listed ones only).
    void Remove(const std::vector<size_t>& positions);

private:
    int Rank(int32_t code) const;
    void SortListed();

    std::vector<int32_t> m_offered;
    std::vector<ChosenNode> m_chosen;
};

// 業務: the master's 業務 among the allowed codes, in master order; the 業務 nodes of the list.
std::vector<int32_t> OfferedGyomuCodes(const CBukakeFile& bukake, std::span<const uint8_t> allowed);
std::vector<ChosenNode> ChosenGyomu(const CSekisanItemList& list);
// The list the 業務 selection leaves: working's header and the nodes before its first 業務 node, then
// for each chosen node its subtree from working, or a new 業務 node (NewGyomuItem) of an allowed
// master 業務.
void BuildGyomuList(const CSekisanItemList& working, const std::vector<ChosenNode>& chosen, const CBukakeFile& bukake,
                    std::span<const uint8_t> allowed, const CTankaFile& tanka, CSekisanItemList& out);

// 工種 of 業務 gyomu: the master's 工種 of the 業務, in master order; the 工種 nodes of the 業務's
// subtree in the list (the first 業務 node of that code), in order.
std::vector<int32_t> OfferedKoshuCodes(const CBukakeFile& bukake, int gyomu);
std::vector<ChosenNode> ChosenKoshu(const CSekisanItemList& list, int gyomu);
// The list the 工種 selection leaves: working's nodes up to the 業務 node and those before its first
// 工種, then for each chosen node its 工種 node with the nodes that follow it up to the next 工種 of
// the 業務, or a new 工種 node (NewKoshuItem) of a master 工種, then the nodes after the 業務's subtree.
// False, with out untouched, when the master lacks the 業務 or the list has no node of it.
bool BuildKoshuList(const CSekisanItemList& working, int gyomu, const std::vector<ChosenNode>& chosen,
                    const CBukakeFile& bukake, CSekisanItemList& out);

// ---- 種別 ------------------------------------------------------------------------------------------

// Positions of the 種別 nodes directly under the first 工種 node of those codes, in order; none
// without that node.
std::vector<int> ShubetsuPositions(const CSekisanItemList& list, int gyomu, int koshu);
// Inserts the node after the last 種別 node under the 工種 node; its position, or -1 (node dropped)
// without that 工種 node.
int InsertShubetsuItem(CSekisanItemList& list, int gyomu, int koshu, std::unique_ptr<CSekisanItem> item);
// Whether the 種別 nodes under the 工種 node name master 種別 with two different set, non-zero
// coefficients (技術経費 of different rates).
bool HasMixedCoefficients(const CSekisanItemList& list, const CBukakeFile& bukake, int gyomu, int koshu);
// The coefficient line of a 種別 (null: none selected): "精度管理係数 : 1.20" in 業務 1 and 6,
// "技術経費　　 : 1.20" in the other 業務 up to 7, with "-.--" for none selected; blank words and
// "-.--" outside 業務 1..7 or for an unset coefficient.
std::string CoefficientText(int gyomu, const CBukakeShubetsu* shubetsu);
