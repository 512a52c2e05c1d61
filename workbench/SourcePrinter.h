#pragma once

#include <QPrinter>
#include <QString>
#include <QStringList>
#include <vector>

class Dialogs;
class QFont;
class QPainter;
class QPlainTextEdit;
class QTextDocument;
class QWidget;

// Text lines on one printed page, fixed whatever the font.
inline constexpr int LinesPerPage = 50;

// The lines of a text as printing counts them: an empty text has none, and a final line
// break starts no extra line.
QStringList PrintableLines(const QTextDocument& document);

// The printed lines of each page: "Page N    CAPTION", three empty lines, then up to
// LinesPerPage lines of the text.
std::vector<QStringList> SplitPages(const QStringList& lines, const QString& caption);

// Prints the source or the list file on the printer that the print dialog and the page
// set-up dialog share. Every box and dialog goes through Dialogs.
class SourcePrinter {
  public:
    SourcePrinter(Dialogs& dialogs, QWidget* owner);

    // The printer the dialogs set up; tests point it at a file.
    QPrinter& Printer() { return printer_; }

    // Prints the pane's lines in the pane's font under the caption, asking "Print next
    // page?" before each page when pauseBeforePages holds.
    void Print(const QPlainTextEdit& pane, const QString& caption, bool pauseBeforePages);
    // The page set-up dialog; its choices stay with the printer.
    void Setup();

  private:
    void PrintPages(const std::vector<QStringList>& pages, const QFont& font,
                    bool pauseBeforePages);
    bool PrintPage(QPainter& painter, const QStringList& lines, const QFont& font);
    bool DrawLines(QPainter& painter, const QStringList& lines);
    void ReportError(int page);

    Dialogs& dialogs_;
    QWidget* owner_;
    QPrinter printer_{QPrinter::HighResolution};
};
