#include "workbench/SourcePrinter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <algorithm>
#include <cmath>

#include "workbench/Dialogs.h"

namespace {

constexpr int EmptyLinesAfterHeading = 3;
constexpr int TabStopDigits = 8;
// The least margin on every side, also on a file, which has no unprintable edge of its own.
constexpr qreal LeastMarginMm = 10;

// A file takes all pages in one job (a job per page would keep only the last one); a printer
// gets one job per page, so a printer fed by hand can be loaded between them.
bool PrintsToFile(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::PdfFormat;
}

// Tabs stand every eight digit widths, as in the editor; the text between them is drawn
// piece by piece, so the stops are exact at every printer resolution.
void DrawLine(QPainter& painter, const QFontMetricsF& metrics, const QString& line, qreal top) {
    const qreal tabStop = TabStopDigits * metrics.horizontalAdvance(u'0');
    const QStringList pieces = line.split(u'\t');
    qreal left = 0;
    for (qsizetype piece = 0; piece < pieces.size(); ++piece) {
        if (piece > 0) {
            left = (std::floor(left / tabStop) + 1) * tabStop;
        }
        painter.drawText(QPointF(left, top + metrics.ascent()), pieces[piece]);
        left += metrics.horizontalAdvance(pieces[piece]);
    }
}

// The text stays off the sheet's edges: within the printer's printable area, and at least
// 10 mm in; margins set wider in the page set-up stay.
void KeepOffTheEdges(QPrinter& printer) {
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QMarginsF given = layout.margins();
    const QMarginsF least = layout.minimumMargins();
    const auto side = [](qreal set, qreal printable) {
        return std::max({set, printable, LeastMarginMm});
    };
    printer.setPageMargins(
        QMarginsF(side(given.left(), least.left()), side(given.top(), least.top()),
                  side(given.right(), least.right()), side(given.bottom(), least.bottom())),
        QPageLayout::Millimeter);
}

} // namespace

QStringList PrintableLines(const QTextDocument& document) {
    QStringList lines;
    for (QTextBlock block = document.begin(); block != document.end(); block = block.next()) {
        lines.append(block.text());
    }
    // The last block is empty after a final line break, and in an empty text.
    if (lines.constLast().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

std::vector<QStringList> SplitPages(const QStringList& lines, const QString& caption) {
    std::vector<QStringList> pages;
    for (qsizetype first = 0; first < lines.size(); first += LinesPerPage) {
        QStringList page{QStringLiteral("Page %1    %2").arg(pages.size() + 1).arg(caption)};
        for (int empty = 0; empty < EmptyLinesAfterHeading; ++empty) {
            page.append(QString());
        }
        page.append(lines.mid(first, LinesPerPage));
        pages.push_back(page);
    }
    return pages;
}

SourcePrinter::SourcePrinter(Dialogs& dialogs, QWidget* owner) : dialogs_(dialogs), owner_(owner) {}

void SourcePrinter::Print(const QPlainTextEdit& pane, const QString& caption,
                          bool pauseBeforePages) {
    const QStringList lines = PrintableLines(*pane.document());
    if (lines.isEmpty()) {
        dialogs_.Message(owner_, QStringLiteral("There is nothing to print."),
                         QMessageBox::Information);
        return;
    }
    if (dialogs_.PrintDialog(owner_, printer_)) {
        PrintPages(SplitPages(lines, caption), pane.font(), pauseBeforePages);
    }
}

void SourcePrinter::Setup() {
    dialogs_.PageSetupDialog(owner_, printer_);
}

void SourcePrinter::PrintPages(const std::vector<QStringList>& pages, const QFont& font,
                               bool pauseBeforePages) {
    KeepOffTheEdges(printer_);
    QPainter painter;
    // Sizes in points come out the same on every resolution the printer is set to.
    const QFont printerFont(font, &printer_);
    int page = 0; // the pages begun so far
    bool printed = true;
    for (const QStringList& lines : pages) {
        if (pauseBeforePages &&
            !dialogs_.AskYesCancel(owner_, QStringLiteral("Print next page?"))) {
            break;
        }
        ++page;
        printed = PrintPage(painter, lines, printerFont);
        if (!printed) {
            break;
        }
    }
    // The job for a file is sent when it closes, after its last page.
    if (painter.isActive()) {
        printed = painter.end() && printed;
    }
    if (!printed) {
        ReportError(page);
    }
}

// A page opens a job of its own, or, while the job for a file is open, a new sheet in it.
bool SourcePrinter::PrintPage(QPainter& painter, const QStringList& lines, const QFont& font) {
    if (painter.isActive() ? !printer_.newPage() : !painter.begin(&printer_)) {
        return false;
    }
    painter.setFont(font);
    return DrawLines(painter, lines) && (PrintsToFile(printer_) || painter.end());
}

// One line under the other from the top of the sheet's printed area; lines that do not fit go
// on to a new sheet of the same job. Lines are not wrapped: a line wider than the printed
// area ends at its edge.
bool SourcePrinter::DrawLines(QPainter& painter, const QStringList& lines) {
    const QFontMetricsF metrics(painter.font(), &printer_);
    const qreal height = printer_.height();
    painter.setClipRect(QRect(0, 0, printer_.width(), printer_.height()));
    qreal top = 0;
    for (const QString& line : lines) {
        if (top > 0 && top + metrics.lineSpacing() > height) {
            if (!printer_.newPage()) {
                return false;
            }
            top = 0;
        }
        DrawLine(painter, metrics, line, top);
        top += metrics.lineSpacing();
    }
    return printer_.printerState() != QPrinter::Error;
}

void SourcePrinter::ReportError(int page) {
    const QString target =
        PrintsToFile(printer_) ? printer_.outputFileName() : printer_.printerName();
    dialogs_.Message(owner_,
                     QStringLiteral("Could not print page %1 on \"%2\".").arg(page).arg(target),
                     QMessageBox::Critical);
}
