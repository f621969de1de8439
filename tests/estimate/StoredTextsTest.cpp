// Tests that the texts of the seven master files (master/*File, master/HyoshiData) and of the estimate file
// (estimate/VemoWinDocData), read and written through platform/Cp932, are stored exactly as they were read.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "EstimateBuilders.h"
#include "MasterBuilders.h"
#include "estimate/VemoWinDocData.h"

using namespace masterbuild;
using namespace estimate_test;

namespace {

using TextVisit = std::function<void(std::string&)>;

template <class Texts>
void VisitAll(Texts& texts, const TextVisit& visit) {
    for (std::string& t : texts) visit(t);
}

// Every text of each file apart from its signature, in any order.
void VisitTexts(CBukakeFile& f, const TextVisit& visit) {
    for (int g = 0; g < f.GetCount(); ++g) {
        CBukakeGyomu& gyomu = *f.GetGyomu(g);
        visit(gyomu.m_name);
        for (int k = 0; k < gyomu.GetCount(); ++k) {
            CBukakeKoshu& koshu = *gyomu.GetKoshu(k);
            visit(koshu.m_name);
            for (int s = 0; s < koshu.GetCount(); ++s) {
                CBukakeShubetsu& shubetsu = *koshu.GetShubetsu(s);
                visit(shubetsu.m_name);
                CBukakeDetail& d = shubetsu.GetDetail();
                visit(d.m_formula);
                visit(d.m_unit);
                VisitAll(d.m_auxiliary, visit);
                visit(d.m_textH);
                for (int l = 0; l < d.GetLineCount(); ++l) visit(d.GetLine(l)->m_name);
                const CBukakeHimokuSet& himoku = d.GetHimokuSet();
                for (int h = 0; h < himoku.GetHimokuCount(); ++h) visit(himoku.GetHimoku(h)->m_name);
            }
        }
    }
}

void VisitTexts(CHenkaritsuFile& f, const TextVisit& visit) {
    for (int g = 0; g < f.GetSize(); ++g) {
        CHenkaritsuGyomu& group = *f.GetGyomu(g);
        visit(group.m_name);
        for (int r = 0; r < group.GetSize(); ++r) {
            CHenkaritsuRecord& record = *group.GetRecord(r);
            for (std::string* t : {&record.m_name, &record.m_formula, &record.m_formulaName, &record.m_unit,
                                   &record.m_remarks, &record.m_defaultAuxFormula})
                visit(*t);
            VisitAll(record.m_columnTitles, visit);
            VisitAll(record.m_rowTitles, visit);
            VisitAll(record.m_auxStart, visit);
            VisitAll(record.m_auxEnd, visit);
            VisitAll(record.m_auxFormula, visit);
        }
    }
}

void VisitTexts(CTankaFile& f, const TextVisit& visit) {
    VisitAll(f.m_company, visit);
    VisitAll(f.m_columnTitles, visit);
    for (int i = 0; i < f.GetCount(); ++i) {
        CTankaRow& row = *f.GetRow(i);
        for (std::string* t : {&row.m_unit, &row.m_name, &row.m_remarks, &row.m_spare}) visit(*t);
    }
}

void VisitTexts(CZairyoTankaFile& f, const TextVisit& visit) {
    visit(f.m_title);
    for (int i = 0; i < f.GetCount(); ++i) {
        CZairyoTankaItem& item = *f.GetItem(i);
        for (std::string* t : {&item.m_name, &item.m_spec, &item.m_unit, &item.m_remarks, &item.m_extra}) visit(*t);
    }
}

void VisitTexts(CShokeihiFile& f, const TextVisit& visit) {
    for (int i = 0; i < f.GetCount(); ++i) visit(f.GetRecord(i)->m_name);
}

void VisitTexts(CProgramKingakuFile& f, const TextVisit& visit) {
    for (int i = 0; i < f.GetCount(); ++i) {
        CProgramKingakuRecord& r = *f.GetRecord(i);
        for (std::string* t : {&r.m_name1, &r.m_name2, &r.m_condition1, &r.m_condition2}) visit(*t);
    }
}

void VisitTexts(CHyoshiData& d, const TextVisit& visit) {
    for (std::string* t : {&d.m_printTitle, &d.m_number, &d.m_date, &d.m_address1, &d.m_address2, &d.m_subject,
                           &d.m_place, &d.m_amount})
        visit(*t);
    VisitAll(d.m_spare, visit);
    for (int list = 0; list < CHyoshiData::kHistoryLists; ++list) {
        std::vector<std::string> entries;
        for (int i = 0; i < d.GetHistoryCount(list); ++i) entries.push_back(d.GetHistoryItem(list, i));
        VisitAll(entries, visit);
        d.ClearHistory(list);
        for (const std::string& entry : entries) d.AppendHistory(list, entry);
    }
}

void VisitTexts(CSekisanItemList& list, const TextVisit& visit) {
    for (std::string* t : {&list.m_strKenmei, &list.m_strKashoName, &list.m_strPrintTitle, &list.m_strMasterFolder,
                           &list.m_strZairyoFile, &list.m_strDate})
        visit(*t);
    for (int i = 0; i < list.GetCount(); ++i) {
        CSekisanItem& item = *list.GetItem(i);
        for (std::string* t : {&item.m_strNameUpper, &item.m_strNameLower, &item.m_strUnit, &item.m_strRemarkUpper,
                               &item.m_strRemarkLower})
            visit(*t);
    }
}

// One kind of file: its bytes with every text set by the visit, and those bytes loaded and stored again.
struct FileKind {
    const char* name;
    std::function<std::string(const TextVisit&)> bytesWithTexts;
    std::function<std::string(const std::string&)> loadAndStore;
};

template <class Root>
FileKind MasterKind(const char* name, Root (*sample)()) {
    return {name,
            [sample](const TextVisit& visit) {
                Root root = sample();
                VisitTexts(root, visit);
                return StoreMasterBytes(root);
            },
            [](const std::string& bytes) {
                Root root;
                EXPECT_EQ(LoadMasterFromBytes(root, bytes), MasterLoadResult::loaded);
                return StoreMasterBytes(root);
            }};
}

FileKind EstimateKind() {
    return {"estimate",
            [](const TextVisit& visit) {
                CVemoWinDocData doc;
                ItemListBuilder(*doc.GetItemList()).Gyomu(1).Koshu(101).Shubetsu(1);
                VisitTexts(*doc.GetItemList(), visit);
                return doc.StoreBytes();
            },
            [](const std::string& bytes) {
                CVemoWinDocData doc;
                EXPECT_EQ(doc.LoadBytes(bytes, "stored.sei"), 1);
                return doc.StoreBytes();
            }};
}

}  // namespace

TEST(StoredTexts, EveryTextOfEveryFileSurvivesTenSaves) {
    const FileKind kinds[] = {
        MasterKind("歩掛", &SampleBukakeFile),
        MasterKind("変化率・補正率", &SampleHenkaritsuFile),
        MasterKind("単価", &SampleTankaFile),
        MasterKind("材料単価", &SampleZairyoTankaFile),
        MasterKind("諸経費", &SampleShokeihiFile),
        MasterKind("プログラム金額", &SampleProgramKingakuFile),
        MasterKind("表紙", &SampleHyoshiData),
        EstimateKind(),
    };
    const std::string texts[] = {
        "\xEE\xEE\x82",                                      // an undecodable byte before a character of row EE
        "\xED\x40\xEE\xEF\xEE\xF9\xFA\x54\x87\x90\xFA\x4A",  // characters iconv writes under other codes
        "\x80\xA0\xFD\xFE\xFF\x85\x40\x81 \x82",            // undecodable bytes, an unassigned pair, lone lead bytes
    };
    for (const FileKind& kind : kinds) {
        for (const std::string& text : texts) {
            SCOPED_TRACE(kind.name + (" " + Hex(text)));
            // A file whose every text is the bytes followed by a number of its own: written with a
            // stand-in of the same length, which is then replaced in the file's bytes.
            const std::string standIn(text.size(), '\x7F');
            int count = 0;
            std::string file = kind.bytesWithTexts([&](std::string& t) { t = standIn + std::to_string(count++); });
            int replaced = 0;
            for (size_t at = file.find(standIn); at != std::string::npos; at = file.find(standIn, at + text.size())) {
                file.replace(at, text.size(), text);
                ++replaced;
            }
            ASSERT_EQ(replaced, count);
            std::string saved = file;
            for (int save = 1; save <= 10; ++save) {
                saved = kind.loadAndStore(saved);
                ASSERT_TRUE(saved == file) << "save " << save << ":\n" << Hex(saved) << "\ninstead of\n" << Hex(file);
            }
        }
    }
}
