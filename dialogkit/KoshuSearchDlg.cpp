#include "dialogkit/KoshuSearchDlg.h"

#include "dialogkit/DialogTexts.h"

CKoshuSearchDlg::CKoshuSearchDlg(QWidget* parent)
    : CKeywordSearchDlg(QString::fromUtf8(dialogtext::kKoshuSearchHint), QString::fromUtf8(dialogtext::kKoshuColumnTitle),
                        QString::fromUtf8(dialogtext::kShubetsuColumnTitle), parent) {}

std::vector<std::pair<QString, QString>> CKoshuSearchDlg::Search(const std::vector<std::string>& keywords) {
    m_hits = SearchKoshu(m_gyomu, keywords);
    std::vector<std::pair<QString, QString>> rows;
    for (const KoshuSearchHit& hit : m_hits) {
        const CBukakeKoshu* koshu = m_gyomu.FindKoshu(hit.koshu);
        const CBukakeShubetsu* shubetsu = koshu && !IsUnset(hit.shubetsu) ? koshu->FindShubetsu(hit.shubetsu) : nullptr;
        rows.emplace_back(koshu ? QString::fromStdString(koshu->m_name) : QString(),
                          shubetsu ? QString::fromStdString(shubetsu->m_name) : QString());
    }
    return rows;
}

void CKoshuSearchDlg::Choose(int col, int row) {
    m_koshu = m_shubetsu = kUnset;
    if (row < 1 || static_cast<size_t>(row) > m_hits.size()) return;
    const KoshuSearchHit& hit = m_hits[size_t(row - 1)];
    m_koshu = hit.koshu;
    if (col == 2) m_shubetsu = hit.shubetsu;
}
