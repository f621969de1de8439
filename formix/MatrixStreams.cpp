// The matrix in files and streams: its archive form, its binary and text streams, the bracketed
// text form and the exchange with a list table.
#include "formix/Matrix.h"

#include <algorithm>
#include <istream>
#include <ostream>

#include "formix/ListTable.h"
#include "formix/NumberString.h"
#include "formix/NumericDiagnostics.h"
#include "formix/NumericFormula.h"
#include "formix/NumericStreams.h"
#include "formix/TextList.h"

namespace formix {

bool CMatrix::PlausibleShape(long long rows, long long cols) {
    if (rows < 0 || cols < 0) {
        return false;
    }
    if (cols == 0) {
        return rows <= kMaxEmptyRows;
    }
    return rows <= kMaxElements / cols;
}

void CMatrix::Serialize(CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteString(m_strName);
        ar.WriteInt(m_nRows);
        ar.WriteInt(m_nCols);
        ar.WriteInt(m_nState);
        for (int i = 0; i < m_nRows; ++i) {
            for (int j = 0; j < m_nCols; ++j) {
                ar.WriteDouble(m_ppRows[static_cast<size_t>(i)][j]);
            }
        }
        return;
    }
    std::string name = ar.ReadString();
    int rows = ar.ReadInt();
    int cols = ar.ReadInt();
    int state = ar.ReadInt();
    if (!PlausibleShape(rows, cols)) {
        throw CArchiveException(CArchiveException::badCount, "impossible matrix shape in the archive");
    }
    ar.Need(static_cast<size_t>(rows) * static_cast<size_t>(cols) * sizeof(double));
    std::vector<double> values(static_cast<size_t>(rows) * static_cast<size_t>(cols));
    for (double& v : values) {
        v = ar.ReadDouble();
    }
    // A loaded matrix owns its rows and holds no permutation (the archive has none).
    m_bView = 0;
    Assign(rows, cols, values);
    m_strName = std::move(name);
    m_nState = state;
}

void CMatrix::WriteBinary(std::ostream& os) const {
    streams::PutInt32(os, m_nRows);
    streams::PutInt32(os, m_nCols);
    streams::PutInt32(os, m_nState);
    streams::PutInt32(os, m_bView);
    streams::PutInt32(os, static_cast<int32_t>(m_strName.size()));
    os.write(m_strName.data(), static_cast<std::streamsize>(m_strName.size()));
    streams::PutInt32(os, m_nSwaps);
    for (int i = 0; i < m_nRows; ++i) {
        streams::PutDoubles(os, m_ppRows[static_cast<size_t>(i)], static_cast<size_t>(m_nCols));
    }
}

void CMatrix::ReadBinary(std::istream& is) {
    int32_t rows, cols, state, view, nameLength, swaps;
    std::string name;
    std::vector<double> values;
    if (!streams::GetInt32(is, rows) || !streams::GetInt32(is, cols) || !streams::GetInt32(is, state) ||
        !streams::GetInt32(is, view) || !streams::GetInt32(is, nameLength) || !PlausibleShape(rows, cols) ||
        nameLength < 0 || !streams::GetBytes(is, static_cast<size_t>(nameLength), name) ||
        !streams::GetInt32(is, swaps) ||
        !streams::GetDoubles(is, static_cast<size_t>(rows) * static_cast<size_t>(cols), values)) {
        streams::Fail(is);
        return;
    }
    m_bView = 0;
    Assign(rows, cols, values);
    m_strName = std::move(name);
    m_nState = state;
    m_nSwaps = swaps;
}

std::ostream& operator<<(std::ostream& os, const CMatrix& m) {
    if (m.IsView()) {
        ReportNumeric("Error : operator <<(ostream  &  os,CMatrix  &  m )", "Cannot stream SubMatrix");
        return os;
    }
    streams::WriteTextHeader(os, {m.Rows(), m.Cols(), m.Swaps()});
    for (int i = 1; i <= m.Rows(); ++i) {
        streams::WriteTextValues(os, m.RowPtr(i), static_cast<size_t>(m.Cols()), '\n');
    }
    return os;
}

std::istream& operator>>(std::istream& is, CMatrix& m) {
    int rows, cols, swaps;
    std::vector<double> values;
    if (!streams::ReadInteger(is, rows) || !streams::ReadInteger(is, cols) || !CMatrix::PlausibleShape(rows, cols) ||
        !streams::ReadInteger(is, swaps) ||
        !streams::ReadNumbers(is, static_cast<long long>(rows) * cols, values) || !m.Assign(rows, cols, values)) {
        streams::Fail(is);
    }
    return is;
}

std::istream& ReadBracketed(std::istream& is, CMatrix& m) {
    std::string content;
    if (!streams::ReadBracketText(is, content)) {
        streams::Fail(is);
        return is;
    }
    // One list of element texts per row.
    CTextList rowTexts("", 10, 10);
    SplitElementTexts(content, ";", rowTexts);
    std::vector<std::vector<double>> rows;
    size_t cols = 0;
    for (int r = 0; r < rowTexts.GetCount(); ++r) {
        CTextList texts("", 10, 10);
        SplitElementTexts(rowTexts.GetAt(r)->GetText(), ",", texts);
        std::vector<double> row;
        for (int c = 0; c < texts.GetCount(); ++c) {
            row.push_back(ElementTextValue(texts.GetAt(c)->GetText()));
        }
        cols = std::max(cols, row.size());
        rows.push_back(std::move(row));
    }
    std::vector<double> values;
    for (auto& row : rows) {
        row.resize(cols, 0.0);
        values.insert(values.end(), row.begin(), row.end());
    }
    if (!m.Assign(static_cast<int>(rows.size()), static_cast<int>(cols), values)) {
        streams::Fail(is);
    }
    return is;
}

void DDX_Matrix(bool saveAndValidate, CListTable& table, CMatrix& m, const char* title) {
    if (!table.hasWindow) {
        return;
    }
    if (saveAndValidate) {
        int rows = table.ItemCount();
        int cols = std::max(table.ColumnCount() - 1, 0);
        std::vector<double> values;
        for (int i = 1; i <= rows; ++i) {
            for (int j = 1; j <= cols; ++j) {
                values.push_back(ElementTextValue(table.GetItemText(i - 1, j)));
            }
        }
        m.Assign(rows, cols, values);
        return;
    }
    for (int c = table.ColumnCount(); c >= 0; --c) {
        table.DeleteColumn(c);
    }
    table.DeleteAllItems();
    table.InsertColumn(0, title && *title ? title : "Matrix", CListColumn::left, 30);
    table.expectedItems = m.Rows();
    for (int j = 1; j <= m.Cols(); ++j) {
        table.InsertColumn(j, CNumberString(j, 6).GetText(), CListColumn::right, 50);
    }
    for (int i = 1; i <= m.Rows(); ++i) {
        int item = table.InsertItem(i - 1, CNumberString(i, 6).GetText());
        for (int j = 1; j <= m.Cols(); ++j) {
            table.SetItemText(item, j, CNumberString(m.Element(i, j), 15).GetText());
        }
    }
}

}  // namespace formix
