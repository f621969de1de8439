// Test support for the tests of report/: OracleSupport.
#pragma once
// LibreOffice as an independent reader of the workbooks the engine writes: a saved workbook is
// converted to a flat OpenDocument spreadsheet and its cells are read back with plain pugixml.
#include <map>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace oracle {

using Value = std::variant<std::string, double>;
using SheetValues = std::map<std::pair<int, int>, Value>;  // (row, column) → value

// The path of a program on PATH; "" when there is none.
std::string FindOnPath(const std::string& program);

struct Sheet {
    std::string name;
    SheetValues values;
};

// Converts the workbooks with soffice into flat OpenDocument files (x.xlsx to x.fods) in folder, with
// a profile of its own there; a run that fails is made once more. False with why when both failed.
bool ConvertWithLibreOffice(const std::string& soffice, const std::vector<std::string>& inputs,
                            const std::string& folder, std::string& why);

// Converts the workbook with soffice (a profile of its own in folder) and reads every sheet's values.
// False with why when the conversion failed.
bool ReadWithLibreOffice(const std::string& soffice, const std::string& xlsxPath, const std::string& folder,
                         std::vector<Sheet>& sheets, std::string& why);

// The text of each page of a PDF file as pdftotext (poppler) reads it, white space left out: what a
// search for a word finds wherever the page breaks its lines. The text is written beside the file
// (x.pdf to x.txt). False with why when pdftotext failed.
bool ReadPdfText(const std::string& pdftotext, const std::string& pdfPath, std::vector<std::string>& pages, std::string& why);

}  // namespace oracle
