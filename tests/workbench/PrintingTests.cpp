#include <QImage>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextDocument>
#include <gtest/gtest.h>
#include <map>

#include "WorkbenchFixture.h"
#include "workbench/Fonts.h"
#include "workbench/SourcePrinter.h"

namespace {

using Lines = std::vector<std::string>;

Lines Std(const QStringList& lines) {
    Lines converted;
    for (const QString& line : lines) {
        converted.push_back(line.toStdString());
    }
    return converted;
}

// Blanks within a printed line are simplified: pdftotext only guesses them from positions.
Lines Simplified(QStringList lines) {
    for (QString& line : lines) {
        line = line.simplified();
    }
    return Std(lines);
}

std::vector<Lines> Simplified(const std::vector<QStringList>& pages) {
    std::vector<Lines> simplified;
    for (const QStringList& page : pages) {
        simplified.push_back(Simplified(page));
    }
    return simplified;
}

QStringList Numbered(int count) {
    QStringList lines;
    for (int line = 1; line <= count; ++line) {
        lines.append(QStringLiteral("line %1").arg(line));
    }
    return lines;
}

// Where pdftotext places a word's box on its sheet, in points from the top left corner.
struct Place {
    double Left = -1;
    double Top = -1;
};

// Prints into a PDF file through the same code a printer gets, and reads the text back.
class PrintingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        pane.setFont(CourierNew(10));
        printer.Printer().setOutputFormat(QPrinter::PdfFormat);
        printer.Printer().setOutputFileName(Pdf());
    }

    QString Pdf() const { return folder.filePath(QStringLiteral("out.pdf")); }
    bool Printed() const { return QFile::exists(Pdf()); }
    void SetLines(const QStringList& lines) { pane.setPlainText(lines.join(u'\n')); }
    void PrintAccepted(const QString& caption = QStringLiteral("Untitled"), bool pause = false) {
        dialogs.PrintDialogAnswers.push_back(true);
        printer.Print(pane, caption, pause);
    }

    // Needs pdftotext; a test that reads the PDF skips without it.
    static bool CanRead() {
        return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
    }
    static QString PdfToText(const QStringList& arguments) {
        QProcess process;
        process.start(QStringLiteral("pdftotext"), arguments);
        process.waitForFinished();
        return QString::fromUtf8(process.readAllStandardOutput());
    }
    // The lines of each sheet, simplified, without the empty lines at its end.
    std::vector<Lines> Sheets() const {
        std::vector<Lines> sheets;
        QStringList pages =
            PdfToText({QStringLiteral("-layout"), Pdf(), QStringLiteral("-")}).split(u'\f');
        pages.removeLast(); // after the last form feed
        for (const QString& page : pages) {
            QStringList lines = page.split(u'\n');
            while (!lines.isEmpty() && lines.constLast().trimmed().isEmpty()) {
                lines.removeLast();
            }
            sheets.push_back(Simplified(lines));
        }
        return sheets;
    }
    // The first sheet as pdftoppm draws it, a pixel to the point.
    QImage FirstSheet() const {
        const QString prefix = folder.filePath(QStringLiteral("sheet"));
        QProcess process;
        process.start(QStringLiteral("pdftoppm"),
                      {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-gray"),
                       QStringLiteral("-singlefile"), Pdf(), prefix});
        process.waitForFinished();
        return QImage(prefix + QStringLiteral(".pgm"));
    }
    // The places of the words of the printout, the last one where a word comes twice.
    std::map<QString, Place> WordPlaces() const {
        static const QRegularExpression word(
            QStringLiteral(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re"));
        std::map<QString, Place> places;
        const QString html = PdfToText({QStringLiteral("-bbox"), Pdf(), QStringLiteral("-")});
        for (const auto& match : word.globalMatch(html)) {
            places[match.captured(3)] = {match.captured(1).toDouble(),
                                         match.captured(2).toDouble()};
        }
        return places;
    }

    QTemporaryDir folder;
    QWidget owner;
    QPlainTextEdit pane{&owner};
    ScriptedDialogs dialogs;
    SourcePrinter printer{dialogs, &owner};
};

// Lines as the editor counts them for printing.
struct LinesCase {
    const char* Text;
    QStringList Lines;
};

class PrintableLinesTest : public ::testing::TestWithParam<LinesCase> {};

TEST_P(PrintableLinesTest, CountLikeTheSourceText) {
    QTextDocument document(QString::fromLatin1(GetParam().Text));
    EXPECT_EQ(Std(PrintableLines(document)), Std(GetParam().Lines));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, PrintableLinesTest,
    ::testing::Values(LinesCase{"", {}}, LinesCase{"\n", {""}}, LinesCase{"MOV", {"MOV"}},
                      LinesCase{"MOV\n", {"MOV"}}, LinesCase{"MOV\n\n", {"MOV", ""}},
                      LinesCase{"\tMOV AL,1\n  END", {"\tMOV AL,1", "  END"}}));

// How many pages a text fills, and what stands on the last one.
struct SplitCase {
    int Lines;
    int Pages;
    int LinesOnLastPage;
};

class SplitPagesTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitPagesTest, FiftyLinesToAPageUnderAHeadingAndThreeEmptyLines) {
    const QStringList lines = Numbered(GetParam().Lines);
    const auto pages = SplitPages(lines, QStringLiteral("C:/work/prog.asm"));
    ASSERT_EQ(static_cast<int>(pages.size()), GetParam().Pages);
    for (size_t page = 0; page < pages.size(); ++page) {
        const QStringList expected =
            QStringList{QStringLiteral("Page %1    C:/work/prog.asm").arg(page + 1), {}, {}, {}} +
            lines.mid(static_cast<qsizetype>(page) * LinesPerPage, LinesPerPage);
        EXPECT_EQ(Std(pages[page]), Std(expected));
    }
    EXPECT_EQ(pages.back().size(), 4 + GetParam().LinesOnLastPage);
}

INSTANTIATE_TEST_SUITE_P(LineCounts, SplitPagesTest,
                         ::testing::Values(SplitCase{1, 1, 1}, SplitCase{49, 1, 49},
                                           SplitCase{50, 1, 50}, SplitCase{51, 2, 1},
                                           SplitCase{100, 2, 50}, SplitCase{101, 3, 1}));

TEST_F(PrintingTest, EmptyTextHasNothingToPrintAndShowsNoPrintDialog) {
    pane.setPlainText({});
    PrintAccepted();
    EXPECT_EQ(Std(dialogs.Messages), Lines{"There is nothing to print."});
    EXPECT_TRUE(dialogs.PrintDialogPrinters.empty());
    EXPECT_FALSE(Printed());
}

TEST_F(PrintingTest, CancelledPrintDialogPrintsNothing) {
    SetLines(Numbered(3));
    dialogs.PrintDialogAnswers.push_back(false);
    printer.Print(pane, QStringLiteral("Untitled"), false);
    EXPECT_EQ(dialogs.PrintDialogPrinters.size(), 1u);
    EXPECT_FALSE(Printed());
    EXPECT_TRUE(dialogs.Messages.isEmpty());
}

// A file gets every page in one job, one sheet per page.
class PrintedPagesTest : public PrintingTest, public ::testing::WithParamInterface<int> {};

TEST_P(PrintedPagesTest, EveryPageOnItsOwnSheetWithItsHeading) {
    if (!CanRead()) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    const QStringList lines = Numbered(GetParam());
    SetLines(lines);
    PrintAccepted(QStringLiteral("/home/student/traffic.asm"));
    EXPECT_EQ(Sheets(), Simplified(SplitPages(lines, QStringLiteral("/home/student/traffic.asm"))));
    EXPECT_TRUE(dialogs.Messages.isEmpty());
    EXPECT_TRUE(dialogs.Questions.isEmpty()); // no pause asked for
}

INSTANTIATE_TEST_SUITE_P(LineCounts, PrintedPagesTest, ::testing::Values(1, 50, 51, 120));

// Before each page the question comes; Cancel stops, pages already sent stay sent.
struct PauseCase {
    std::vector<QMessageBox::StandardButton> Answers;
    int Questions;
    int Sheets;
};

class PrintPauseTest : public PrintingTest, public ::testing::WithParamInterface<PauseCase> {};

TEST_P(PrintPauseTest, AsksBeforeEveryPageTheFirstToo) {
    SetLines(Numbered(101));
    dialogs.Answers.assign(GetParam().Answers.begin(), GetParam().Answers.end());
    PrintAccepted(QStringLiteral("Untitled"), true);
    EXPECT_EQ(Std(dialogs.Questions), Lines(GetParam().Questions, "Print next page?"));
    EXPECT_TRUE(dialogs.Messages.isEmpty());
    if (GetParam().Sheets == 0) {
        EXPECT_FALSE(Printed());
    } else if (CanRead()) {
        const auto sheets = Sheets();
        ASSERT_EQ(static_cast<int>(sheets.size()), GetParam().Sheets);
        EXPECT_EQ(sheets.back().front(), "Page " + std::to_string(sheets.size()) + " Untitled");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, PrintPauseTest,
    ::testing::Values(PauseCase{{QMessageBox::Cancel}, 1, 0},
                      PauseCase{{QMessageBox::Yes, QMessageBox::Cancel}, 2, 1},
                      PauseCase{{QMessageBox::Yes, QMessageBox::Yes, QMessageBox::Cancel}, 3, 2},
                      PauseCase{{QMessageBox::Yes, QMessageBox::Yes, QMessageBox::Yes}, 3, 3}));

// At 20 points the 54 printed lines of a page do not fit one sheet: the page goes on, without
// a heading, on the next sheet, and the next page starts a sheet of its own.
TEST_F(PrintingTest, PageThatDoesNotFitTheSheetContinuesOnTheNextSheet) {
    if (!CanRead()) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    pane.setFont(CourierNew(20));
    const QStringList lines = Numbered(51);
    SetLines(lines);
    PrintAccepted();
    const auto sheets = Sheets();
    ASSERT_EQ(sheets.size(), 3u);
    const auto pages = Simplified(SplitPages(lines, QStringLiteral("Untitled")));
    Lines firstPage = sheets[0];
    firstPage.insert(firstPage.end(), sheets[1].begin(), sheets[1].end());
    EXPECT_EQ(firstPage, pages[0]);
    EXPECT_LT(sheets[0].size(), pages[0].size());
    EXPECT_EQ(sheets[2], pages[1]);
}

// Lines are one font line apart in points on the sheet, whatever the printer's resolution.
class PrinterResolutionTest : public PrintingTest, public ::testing::WithParamInterface<int> {};

TEST_P(PrinterResolutionTest, TypeHasTheEditorsPointSize) {
    if (!CanRead()) {
        GTEST_SKIP() << "pdftotext is not installed";
    }
    printer.Printer().setResolution(GetParam());
    for (const int points : {10, 20}) {
        pane.setFont(CourierNew(points));
        SetLines({"Alpha\tBeta", "Gamma"});
        PrintAccepted();
        auto places = WordPlaces();
        // Liberation Mono: a line is 1.133 em high and every character 0.6 em wide.
        const double line = 1.133 * points;
        const double character = 0.6 * points;
        EXPECT_NEAR(places["Gamma"].Top - places["Alpha"].Top, line, 0.05 * points)
            << points << " points";
        EXPECT_NEAR(places["Alpha"].Top - places["Page"].Top, 4 * line, 0.05 * points);
        EXPECT_NEAR(places["Untitled"].Left - places["Page"].Left, 10 * character,
                    0.05 * points); // "Page 1" and four spaces
        EXPECT_NEAR(places["Beta"].Left - places["Alpha"].Left, 8 * character, 0.05 * points)
            << "tab stop at eight digit widths";
    }
}

INSTANTIATE_TEST_SUITE_P(Dpi, PrinterResolutionTest, ::testing::Values(72, 300, 1200));

// A printer cannot print up to the paper's edge: the text keeps at least 10 mm from every edge
// of the sheet, a line too long for the sheet included.
TEST_F(PrintingTest, TextKeepsAMarginOfAtLeast10MmFromEveryEdge) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty()) {
        GTEST_SKIP() << "pdftoppm is not installed";
    }
    SetLines(QStringList{QString(200, u'W')} + Numbered(60));
    PrintAccepted();
    const QImage sheet = FirstSheet();
    ASSERT_FALSE(sheet.isNull());
    const int margin = 28; // 10 mm in points, rounded down
    const QRect inside = sheet.rect().adjusted(margin, margin, -margin, -margin);
    int inked = 0;
    for (int y = 0; y < sheet.height(); ++y) {
        for (int x = 0; x < sheet.width(); ++x) {
            if (qGray(sheet.pixel(x, y)) < 128) {
                ASSERT_TRUE(inside.contains(x, y)) << "ink at " << x << "," << y;
                ++inked;
            }
        }
    }
    EXPECT_GT(inked, 0);
}

TEST_F(PrintingTest, PrinterErrorIsReportedAndStopsPrinting) {
    printer.Printer().setOutputFileName(folder.filePath(QStringLiteral("missing/out.pdf")));
    SetLines(Numbered(120));
    PrintAccepted(QStringLiteral("Untitled"), false);
    ASSERT_EQ(dialogs.Messages.size(), 1);
    EXPECT_TRUE(dialogs.Messages[0].startsWith(QStringLiteral("Could not print page 1 on \"")))
        << dialogs.Messages[0].toStdString();
}

TEST_F(PrintingTest, SetupAndPrintDialogShareOnePrinter) {
    printer.Setup();
    SetLines(Numbered(1));
    PrintAccepted();
    ASSERT_EQ(dialogs.PageSetupPrinters.size(), 1u);
    ASSERT_EQ(dialogs.PrintDialogPrinters.size(), 1u);
    EXPECT_EQ(dialogs.PageSetupPrinters[0], &printer.Printer());
    EXPECT_EQ(dialogs.PrintDialogPrinters[0], &printer.Printer());
}

} // namespace
