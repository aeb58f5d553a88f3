#pragma once
// The compare window's Export review: the review report kestrel-cli report
// writes for the two files on show, as that HTML page or as a PDF that Qt's
// own writer lays out on paper.
#include <QByteArray>
#include <QPageSize>
#include <QString>

#include <string>

class QLocale;

namespace kestrel::gui {

// The paper of a PDF: Letter where the locale measures in US units, A4
// everywhere else.
QPageSize reviewPageSize(const QLocale& locale);

// The report's HTML as the pages of a PDF.
QByteArray reviewReportPdf(const std::string& html, const QPageSize& paper);

// Whether the file name asks for a PDF (it ends in ".pdf", in any case).
bool isPdfName(const QString& path);

// Writes the report to path, atomically: the HTML as it is, or its PDF when
// the name asks for one. On failure returns false with error set, and a
// file that was there before is as it was.
bool writeReviewReport(const QString& path, const std::string& html, const QPageSize& paper, QString& error);

} // namespace kestrel::gui
