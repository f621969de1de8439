#include "dialogkit/ZairyoTankaSearchDlg.h"

#include "dialogkit/KeywordSearch.h"
#include "dialogkit/DialogTexts.h"

CZairyoTankaSearchDlg::CZairyoTankaSearchDlg(QWidget* parent)
    : CKeywordSearchDlg(QString::fromUtf8(dialogtext::kZairyoSearchHint),
                        QString::fromUtf8(dialogtext::kHinmeiColumnTitle),
                        QString::fromUtf8(dialogtext::kKikakuColumnTitle), parent) {}

std::vector<std::pair<QString, QString>> CZairyoTankaSearchDlg::Search(const std::vector<std::string>& keywords) {
    m_hits = SearchZairyoTanka(m_file, keywords);
    std::vector<std::pair<QString, QString>> rows;
    for (int index : m_hits) {
        const CZairyoTankaItem* item = m_file.GetItem(index);
        rows.emplace_back(item ? QString::fromStdString(item->m_name) : QString(),
                          item ? QString::fromStdString(item->m_spec) : QString());
    }
    return rows;
}

void CZairyoTankaSearchDlg::Choose(int /*col*/, int row) {
    m_id = kUnset;
    if (row < 1 || static_cast<size_t>(row) > m_hits.size()) return;
    if (const CZairyoTankaItem* item = m_file.GetItem(m_hits[size_t(row - 1)])) m_id = item->m_id;
}
