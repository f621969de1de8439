#pragma once
#include <QIcon>
#include <QString>
#include <QTreeWidget>
#include <vector>

// The image strips of the editors' lists: 16 × 16 pictures side by side, magenta transparent.
enum class ListStrip {
    Bukake,      // the 歩掛 lists: 45 pictures (業務, 工種 by code group, 種別; five kinds of entry)
    Henkaritsu,  // the 変化率・補正率 lists: 0 a 業務 group, 1 a rate record, 2 "なし"
    Shokeihi,    // the 諸経費 list: 0 a 業務
    Shokushu,    // the trade and material-price selection: 2, 3 trades; 5 to 10 material items; 11 "なし"
};
// The pictures of a strip, left to right; empty when it cannot be loaded (the lists then go on
// without pictures).
std::vector<QIcon> ListStripImages(ListStrip strip);

// The list of an editor's entries: a report-style list with one column as wide as the list less a
// vertical scroll bar, a 16 × 16 picture before each entry, and the number of entries in
// parentheses after the column title.
//
// It keeps the chosen index (-1: none): a click or a change of the selection sets it (a click on
// the empty space below the entries to -1); a double-click on an entry opens it. Every command of an editor ends with ShowChosen, which gives
// the list the focus and selects the chosen entry. Filling it changes neither the selection nor the
// chosen index, except that an empty list has none.
class CEditorList : public QTreeWidget {
    Q_OBJECT
public:
    struct Entry {
        QString text;
        int image = 0;  // index into the pictures; none outside them
    };

    explicit CEditorList(QWidget* parent = nullptr);

    void SetImages(std::vector<QIcon> images) { m_images = std::move(images); }
    // The column title; the count is added at each fill.
    void SetTitle(const QString& title);
    QString Title() const { return headerItem()->text(0); }

    // Replaces the entries and shows their count in the title.
    void Fill(const std::vector<Entry>& entries);
    int Count() const { return topLevelItemCount(); }
    QString EntryText(int index) const;

    int ChosenIndex() const { return m_chosen; }
    void SetChosenIndex(int index) { m_chosen = index; }
    // Gives the list the focus and selects the chosen entry (none for -1); scroll brings it into view.
    void ShowChosen(bool scroll = false);

signals:
    // The chosen index changed by a click or by the selection (keyboard, mouse); -1 after a click on
    // empty space.
    void Chosen(int index);
    // A click on an entry (after Chosen).
    void Clicked(int index);
    // A double-click on an entry.
    void Opened(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void FitColumn();
    void SetChosenFrom(QTreeWidgetItem* item);

    std::vector<QIcon> m_images;
    QString m_title;
    int m_chosen = 0;
    bool m_filling = false;
};
