#pragma once
#include <array>
#include <string>
#include <string_view>

// "AutoVerup.txt": ten CP932 lines ending in CR LF. Lines 2 to 5 end in the four digits of the
// shipped data versions of 歩掛, 変化率・補正率, 単価 and 材料単価; lines 6 to 10 hold the state of the
// whole update and of each master's update ("… = 対応する", "対応済み", "対応完了", "対応失敗").
class CAutoVerupText {
public:
    static constexpr size_t kLineCount = 10;
    static constexpr size_t kReadLimit = 1000;  // only the first 1000 bytes are read
    // Stands for a line the text does not have; it equals no state and is written as an empty line.
    static constexpr std::string_view kMissingLine = "\n";

    // Splits the first 1000 bytes into ten lines. A line runs to the next LF; a CR right before
    // the LF is not part of it. Text after the last LF is the last line.
    static CAutoVerupText Parse(std::string_view bytes);

    // The ten lines, each followed by CR LF.
    std::string Format() const;

    // The raw CP932 bytes of line 1..10.
    const std::string& Line(int number) const { return m_lines[static_cast<size_t>(number - 1)]; }
    // Compares or sets a line given as UTF-8 text.
    bool LineIs(int number, std::string_view utf8) const;
    void SetLine(int number, std::string_view utf8);

    // The version a line ends in: its last four bytes read as a formula number (0110 → 110); 0 when
    // they do not make a finite number in the int range.
    int VersionOf(int number) const;

private:
    std::array<std::string, kLineCount> m_lines;
};
