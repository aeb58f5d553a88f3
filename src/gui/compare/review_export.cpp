#include "gui/compare/review_export.h"

#include "core/base/atomic_file.h"
#include "gui/common/file_paths.h"
#include "gui/common/window_texts.h"

#include <QBuffer>
#include <QLocale>
#include <QPdfWriter>
#include <QTextDocument>

namespace kestrel::gui {

QPageSize reviewPageSize(const QLocale& locale)
{
    return QPageSize(locale.measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4);
}

QByteArray reviewReportPdf(const std::string& html, const QPageSize& paper)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(paper);
    // The page's margins of the HTML's own @page rule, which Qt does not read.
    writer.setPageMargins(QMarginsF(12, 15, 12, 15), QPageLayout::Millimeter);
    writer.setResolution(300);
    writer.setCreator(QStringLiteral("Kestrel"));
    QTextDocument document;
    document.setHtml(qtText(html));
    document.print(&writer);
    buffer.close();
    return bytes;
}

bool isPdfName(const QString& path) { return path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive); }

bool writeReviewReport(const QString& path, const std::string& html, const QPageSize& paper, QString& error)
{
    std::string reason;
    bool written = false;
    if (isPdfName(path)) {
        const QByteArray pdf = reviewReportPdf(html, paper);
        written = writeFileAtomically(filesystemPath(path), std::string_view(pdf.constData(), pdf.size()), reason);
    } else {
        written = writeFileAtomically(filesystemPath(path), html, reason);
    }
    if (!written)
        error = qtText(reason);
    return written;
}

} // namespace kestrel::gui
