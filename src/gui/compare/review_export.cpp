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

namespace {

// The page as Qt's rich text lays it out, which reads HTML attributes where
// it ignores the style's width and height: every table across the page, and
// the sign-off's empty cells three lines high, with room to sign. Qt keeps
// no table on one page, so the sign-off (the last section) starts a page.
QString pagedHtml(const std::string& html)
{
    QString paged = qtText(html);
    if (const qsizetype signOff = paged.lastIndexOf(QStringLiteral("<h2>")); signOff >= 0)
        paged.insert(signOff + 3, QStringLiteral(" style=\"page-break-before: always\""));
    paged.replace(QStringLiteral("<table"), QStringLiteral("<table width=\"100%\""));
    paged.replace(QStringLiteral("<td></td>"), QStringLiteral("<td><br><br><br></td>"));
    return paged;
}

} // namespace

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
    document.setHtml(pagedHtml(html));
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
