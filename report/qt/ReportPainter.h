#pragma once
#include <QSizeF>
#include <vector>

#include "report/ReportOutput.h"
#include "report/qt/ReportLayout.h"

class QPainter;
class QPrinter;

namespace reportqt {

// Paints one laid-out page. The painter's device shows a sheet of paper of devicePaper points with its
// origin at the paper's corner; a page on paper of another size is shrunk to fit it and centred.
void PaintPage(QPainter& painter, const PageLayout& page, const QSizeF& devicePaper);

// Prints the pages, each on its own sheet with the printer's paper set to the page's; the printer's
// page range, when one was chosen, selects among them (numbered from 1). A PDF file is written whole
// or not at all: the file is replaced only once the whole PDF is in hand, and a file marked read-only
// is refused. Tells what became of the print.
PrintOutcome PrintPages(QPrinter& printer, const std::vector<PageLayout>& pages);

// Paints the pages onto a printer whose paper stays as it is (the preview's).
void PaintPagesAsIs(QPrinter& printer, const std::vector<PageLayout>& pages);

}  // namespace reportqt
