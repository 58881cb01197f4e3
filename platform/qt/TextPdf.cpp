#include "platform/qt/TextPdf.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <memory>

namespace qtbackend {

namespace {

constexpr int kResolution = 300; // dots per inch of the PDF's layout
constexpr double kMarginMm = 20;

QString html(const QString& title, const std::vector<TextSection>& sections, const std::vector<int>& pages) {
    QString out =
        QStringLiteral("<h1 align=\"center\">%1</h1><h3>Indice</h3><table width=\"100%\" cellpadding=\"3\">")
            .arg(title.toHtmlEscaped());
    for (std::size_t i = 0; i < sections.size(); ++i) {
        // The page numbers take the same room whatever they are, so the
        // second layout with the real numbers breaks its pages as the first.
        const QString page = pages.empty() ? QStringLiteral("000") : QString::number(pages[i]);
        out += QStringLiteral("<tr><td>%1</td><td align=\"right\" width=\"15%\">%2</td></tr>")
                   .arg(QString::fromStdString(sections[i].heading).toHtmlEscaped(), page);
    }
    out += QStringLiteral("</table>");
    for (const TextSection& s : sections) {
        out += QStringLiteral("<h2 style=\"page-break-before: always\">%1</h2>")
                   .arg(QString::fromStdString(s.heading).toHtmlEscaped());
        for (const std::string& p : s.paragraphs)
            out += QStringLiteral("<p style=\"margin-bottom: 8px\">%1</p>")
                       .arg(QString::fromStdString(p).toHtmlEscaped());
    }
    return out;
}

// The page (from 1) on which each section's heading lies.
std::vector<int> headingPages(QTextDocument& doc, double pageHeight) {
    std::vector<int> pages;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (b.blockFormat().headingLevel() != 2) continue;
        const QRectF r = doc.documentLayout()->blockBoundingRect(b);
        pages.push_back(int(r.top() / pageHeight) + 1);
    }
    return pages;
}

bool write(const QString& title, const std::vector<TextSection>& sections, const QString& path,
           std::vector<int>* contentsPages) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    {
        QPdfWriter writer(&file);
        writer.setResolution(kResolution);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Dorneval"));
        const QSizeF page(writer.width(), writer.height());
        const double margin = kMarginMm / 25.4 * kResolution;

        QTextDocument doc;
        doc.documentLayout()->setPaintDevice(&writer);
        QFont body(QStringLiteral("DejaVu Sans"));
        body.setPointSizeF(11);
        doc.setDefaultFont(body);
        doc.setPageSize(page);
        // The page margins belong to the root frame, which each setHtml makes anew.
        auto setContent = [&](const QString& text) {
            doc.setHtml(text);
            QTextFrameFormat frame = doc.rootFrame()->frameFormat();
            frame.setMargin(margin);
            doc.rootFrame()->setFrameFormat(frame);
        };
        setContent(html(title, sections, {}));
        const std::vector<int> pages = headingPages(doc, page.height());
        setContent(html(title, sections, pages));
        if (contentsPages) *contentsPages = pages;

        QPainter p;
        if (!p.begin(&writer)) {
            file.cancelWriting();
            return false;
        }
        QFont foot = body;
        foot.setPointSizeF(9);
        const int count = doc.pageCount();
        for (int i = 0; i < count; ++i) {
            if (i > 0) writer.newPage();
            p.save();
            p.translate(0, -i * page.height());
            doc.drawContents(&p, QRectF(0, i * page.height(), page.width(), page.height()));
            p.restore();
            p.setFont(foot);
            p.drawText(QRectF(0, page.height() - margin * 0.75, page.width(), margin * 0.5), Qt::AlignCenter,
                       QStringLiteral("Pagina %1 di %2").arg(i + 1).arg(count));
        }
        p.end();
    }
    return file.commit();
}

} // namespace

bool writeSectionsPdf(const std::string& title, const std::vector<TextSection>& sections,
                      const std::string& path, std::vector<int>* contentsPages) {
    std::unique_ptr<QGuiApplication> own;
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "dorneval";
        static char* argv[] = {name, nullptr};
        own = std::make_unique<QGuiApplication>(argc, argv);
    }
    return write(QString::fromStdString(title), sections, QString::fromStdString(path), contentsPages);
}

} // namespace qtbackend
