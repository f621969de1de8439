// The estimate views the view benchmarks and the memory driver open: generated estimates priced from
// masters built here, shown on the offscreen platform.
#pragma once
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "app/VemoWinApp.h"
#include "app/VemoWinDoc.h"
#include "app/VemoWinView.h"
#include "estimate/SekisanData.h"
#include "platform/Host.h"

namespace viewbench {

constexpr int kGyomu[] = {1, 2, 3, 4};
constexpr int kKoshuPerGyomu = 5;
constexpr int kShubetsuPerKoshu = 19;

// The masters of the store: two workers in the 単価 master, and per 業務 five 工種 of 19 種別, each
// priced as one line of the two workers, some of the conventional method.
inline void FillMasters(CMasterDataStore& store) {
    CTankaFile& tanka = store.GetTankaFile();
    for (int id : {1001, 1002}) {
        auto row = std::make_unique<CTankaRow>();
        row->m_id = id;
        row->m_name = "技師" + std::to_string(id);
        row->m_prices[0] = id == 1001 ? 30'000 : 25'000;
        tanka.AddRow(std::move(row));
    }
    CBukakeFile& bukake = store.GetBukakeFile();
    for (int code : kGyomu) {
        auto gyomu = std::make_unique<CBukakeGyomu>();
        gyomu->m_code = code;
        for (int k = 0; k < kKoshuPerGyomu; ++k) {
            auto koshu = std::make_unique<CBukakeKoshu>();
            koshu->m_code = 10 + k;
            koshu->m_splitFlag = k % 2;
            for (int s = 1; s <= kShubetsuPerKoshu; ++s) {
                auto shubetsu = std::make_unique<CBukakeShubetsu>();
                shubetsu->m_code = s;
                shubetsu->m_coefficient = 10;
                shubetsu->m_conventional = s % 4 == 0 ? 1 : 0;
                CBukakeDetail& detail = shubetsu->GetDetail();
                detail.m_unit = s % 2 ? "式" : "m";
                detail.m_shokushu[0] = 1001;
                detail.m_shokushu[1] = 1002;
                auto line = std::make_unique<CBukakeDetailLine>();
                line->m_name = "作業";
                line->m_columns[0] = 100;
                line->m_columns[1] = 50;
                detail.AddLine(std::move(line));
                koshu->AddShubetsu(std::move(shubetsu));
            }
            gyomu->AddKoshu(std::move(koshu));
        }
        bukake.AddGyomu(std::move(gyomu));
    }
}

inline std::unique_ptr<CSekisanItem> Node(int gyomu, int koshu, int shubetsu, const std::string& name) {
    auto item = std::make_unique<CSekisanItem>();
    item->m_nGyomu = gyomu;
    item->m_nKoshu = koshu;
    item->m_nShubetsu = shubetsu;
    item->m_strNameUpper = name;
    return item;
}

// About `rows` rows over the four 業務: each 業務 row, its 工種 rows with their 種別 rows and its
// total; then the estimate's subtotal, tax and total.
inline void MakeEstimate(CSekisanItemList& list, int rows) {
    list.m_strKenmei = "ベンチマーク";
    list.m_nTankaColumn = 0;
    const int perGyomu = (rows - 3) / static_cast<int>(std::size(kGyomu));
    for (int g : kGyomu) {
        const int start = list.GetCount();
        list.AddItem(Node(g, kUnset, kUnset, "業務" + std::to_string(g)));
        int koshu = 0, shubetsu = kShubetsuPerKoshu;
        while (list.GetCount() - start < perGyomu - 1) {
            if (shubetsu == kShubetsuPerKoshu) {
                koshu = koshu % kKoshuPerGyomu + 10;
                list.AddItem(Node(g, koshu, kUnset, "工種" + std::to_string(koshu)));
                shubetsu = 0;
                continue;
            }
            ++shubetsu;
            auto item = Node(g, koshu, shubetsu, "種別" + std::to_string(shubetsu));
            item->m_strNameLower = "第" + std::to_string(list.GetCount()) + "行";
            item->m_nQuantity = 1000 * (1 + shubetsu % 5);
            item->m_bKotei[0] = 1;
            list.AddItem(std::move(item));
        }
        list.AddItem(Node(g, 95, kUnset, "業務価格"));
    }
    list.AddItem(Node(95, kUnset, kUnset, "小計"));
    auto tax = Node(98, kUnset, kUnset, "消費税相当額");
    tax->m_nRate = 1000;
    list.AddItem(std::move(tax));
    list.AddItem(Node(99, kUnset, kUnset, "合計"));
}

// An application that has not started, with the masters in its store, and one estimate view of
// the given size shown on the offscreen platform.
struct Fixture {
    QTemporaryDir folder;
    std::unique_ptr<CVemoWinApp> app;
    IHost* appHost = nullptr;

    Fixture() {
        app = std::make_unique<CVemoWinApp>(QStringList{}, folder.path().toStdString());
        appHost = SetHost(nullptr);  // no message box may stop the clock
        FillMasters(app->Store());
    }
    ~Fixture() { SetHost(appHost); }

    std::unique_ptr<CVemoWinView> NewView(int rows) {
        auto doc = std::make_unique<CVemoWinDoc>();
        doc->SetCalcContext(std::make_unique<CEstimateCalcContext>(app->SharedMasters(), app->Settings(),
                                                                   CZairyoTankaFile()));
        MakeEstimate(*doc->GetItemList(), rows);
        auto view = std::make_unique<CVemoWinView>(*app, std::move(doc));
        view->resize(1280, 800);
        view->show();
        view->Recalculate(0);
        return view;
    }
};

}  // namespace viewbench
