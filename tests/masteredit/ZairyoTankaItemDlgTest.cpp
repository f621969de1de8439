// The material-price item dialog: what it shows of an item, and when OK reports a change.
#include <gtest/gtest.h>

#include <QLabel>

#include "MasterBuilders.h"
#include "ScriptedDialogs.h"
#include "dialogkit/Tx.h"
#include "masteredit/ZairyoTankaItemDlg.h"

namespace {

CZairyoTankaItem Item(double price) {
    CZairyoTankaItem item;
    item.m_id = 1003;
    item.m_kind = 2;
    item.m_name = "発電機";
    item.m_spec = "2kVA";
    item.m_unit = "日";
    item.m_price = price;
    return item;
}

}  // namespace

TEST(ZairyoTankaItemDialog, OkReportsAChangeOnlyWhenAFieldChanged) {
    struct Case {
        const char* what;
        double price;
        const char* field;  // typed into; null: nothing typed
        const char* text;
        int changed;
        double storedPrice;
        bool noPrice;  // the stored price is no price
    };
    const Case cases[] = {
        {"no edits", 1234.5678, nullptr, nullptr, -1, 1234.5678, false},
        {"no edits over no price", NoPrice(), nullptr, nullptr, -1, 0, true},
        {"a new name", 1200, "name", "発動発電機", 1, 1200, false},
        {"a new price", 1200, "price", "1500.25", 1, 1500.25, false},
        {"a price emptied", 1200, "price", "", 1, 0, true},
        {"a price over no price", NoPrice(), "price", "0", 1, 0, false},
    };
    for (const Case& c : cases) {
        ScriptedDialogs dialogs;
        dialogs.Expect<CZairyoTankaItemDlg>([&c](CZairyoTankaItemDlg& d) {
            EXPECT_EQ(d.windowTitle(), Tx("材料単価編集")) << c.what;
            EXPECT_EQ(d.findChild<CZo_Edit*>("name")->text(), Tx("発電機")) << c.what;
            EXPECT_EQ(d.findChild<CZo_Edit*>("spec")->text(), Tx("2kVA")) << c.what;
            EXPECT_EQ(d.findChild<CZo_Edit*>("remarks")->text(), QString()) << c.what;
            // No price is an empty field.
            EXPECT_EQ(d.findChild<CZo_Edit*>("price")->text().isEmpty(), IsNoPrice(c.price)) << c.what;
            QStringList labels;
            for (QLabel* label : d.findChildren<QLabel*>()) labels << label->text();
            EXPECT_TRUE(labels.contains(Tx("円"))) << c.what;
            if (c.field) d.findChild<CZo_Edit*>(c.field)->setText(Tx(c.text));
            return IDOK;
        });
        CZairyoTankaItemDlg dialog;
        dialog.SetItem(Item(c.price));
        ASSERT_EQ(dialog.DoModal(), IDOK) << c.what;
        EXPECT_EQ(dialog.GetChanged(), c.changed) << c.what;
        EXPECT_EQ(IsNoPrice(dialog.GetItem().m_price), c.noPrice) << c.what;
        if (!c.noPrice) {
            EXPECT_EQ(dialog.GetItem().m_price, c.storedPrice) << c.what;
        }
        if (c.changed == -1) {
            EXPECT_TRUE(dialog.GetItem() == Item(c.price)) << c.what;
        }
        EXPECT_EQ(dialog.GetItem().m_id, 1003) << c.what;
    }
}
