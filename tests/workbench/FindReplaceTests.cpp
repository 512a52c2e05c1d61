#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>
#include <ostream>

#include "WorkbenchFixture.h"
#include "workbench/FindReplace.h"

namespace {

// Texts mark the editor's selection with « and » (the caret when they stand together).
const QChar SelectionStart(0xAB);
const QChar SelectionEnd(0xBB);

// Remembers the icon of every box as well.
class BoxDialogs : public ScriptedDialogs {
  public:
    std::vector<QMessageBox::Icon> Icons;
    void Message(QWidget* parent, const QString& text, QMessageBox::Icon icon) override {
        Icons.push_back(icon);
        ScriptedDialogs::Message(parent, text, icon);
    }
};

class FindReplaceTest : public ::testing::Test {
  protected:
    // Loads a marked text: the markers become the selection.
    void Load(const char* marked) {
        QString text = QString::fromUtf8(marked);
        const qsizetype start = text.indexOf(SelectionStart);
        text.remove(start, 1);
        const qsizetype end = text.indexOf(SelectionEnd);
        text.remove(end, 1);
        editor->setPlainText(text);
        QTextCursor cursor = editor->textCursor();
        cursor.setPosition(static_cast<int>(start));
        cursor.setPosition(static_cast<int>(end), QTextCursor::KeepAnchor);
        editor->setTextCursor(cursor);
    }
    // The editor's text with its selection marked.
    std::string Marked() const {
        const QTextCursor cursor = editor->textCursor();
        QString text = editor->toPlainText();
        text.insert(cursor.selectionEnd(), SelectionEnd);
        text.insert(cursor.selectionStart(), SelectionStart);
        return text.toStdString();
    }
    std::vector<std::string> Messages() const {
        std::vector<std::string> messages;
        for (const QString& message : dialogs.Messages) {
            messages.push_back(message.toStdString());
        }
        return messages;
    }

    QWidget owner;
    QPlainTextEdit* editor = new QPlainTextEdit(&owner);
    BoxDialogs dialogs;
    FindReplace search{*editor, dialogs, &owner};
};

enum class Step { FindNext, Replace, ReplaceAll };

struct SearchCase {
    const char* Name;
    const char* Before;
    const char* SearchText;
    const char* ReplaceText;
    std::vector<Step> Steps;
    const char* After;
    std::vector<std::string> Messages;
    bool ReadOnly = false;
};

void PrintTo(const SearchCase& c, std::ostream* out) {
    *out << c.Name;
}

class SearchSteps : public FindReplaceTest, public ::testing::WithParamInterface<SearchCase> {};

TEST_P(SearchSteps, LeaveTheTextSelectionAndBoxes) {
    const SearchCase& c = GetParam();
    Load(c.Before);
    editor->setReadOnly(c.ReadOnly);
    const QString searchText = QString::fromUtf8(c.SearchText);
    const QString replaceText = QString::fromUtf8(c.ReplaceText);
    for (const Step step : c.Steps) {
        switch (step) {
        case Step::FindNext:
            search.FindNext(searchText);
            break;
        case Step::Replace:
            search.ReplaceOnce(searchText, replaceText);
            break;
        case Step::ReplaceAll:
            search.ReplaceAll(searchText, replaceText);
            break;
        }
    }
    EXPECT_EQ(Marked(), c.After);
    EXPECT_EQ(Messages(), c.Messages);
    // Both boxes carry the error icon.
    EXPECT_EQ(dialogs.Icons,
              std::vector<QMessageBox::Icon>(c.Messages.size(), QMessageBox::Critical));
}

using enum Step;

INSTANTIATE_TEST_SUITE_P(
    Edges, SearchSteps,
    ::testing::Values(
        SearchCase{"MovFindsEveryCase",
                   "«»MOV A\nMov B\nmov C",
                   "mov",
                   "",
                   {FindNext, FindNext},
                   "MOV A\n«Mov» B\nmov C",
                   {}},
        SearchCase{"WalksToTheLastThenReportsWithoutWrapping",
                   "«»MOV A\nMov B\nmov C",
                   "mov",
                   "",
                   {FindNext, FindNext, FindNext, FindNext, FindNext},
                   "MOV A\nMov B\n«mov» C",
                   {"Could not find \"mov\".", "Could not find \"mov\"."}},
        SearchCase{"CaretAfterTheLastOccurrence",
                   "mov\nmov«»\nadd",
                   "MOV",
                   "",
                   {FindNext},
                   "mov\nmov«»\nadd",
                   {"Could not find \"MOV\"."}},
        SearchCase{"SearchesFromTheEndOfTheSelection",
                   "m«ov» mov",
                   "mov",
                   "",
                   {FindNext},
                   "mov «mov»",
                   {}},
        SearchCase{"PositionsAfterEmptyLinesAndTabs",
                   "A\n\n«»B\n\n\tmov",
                   "MOV",
                   "",
                   {FindNext},
                   "A\n\nB\n\n\t«mov»",
                   {}},
        SearchCase{"OnlyAToZChangeCase",
                   "«»{ café",
                   "[",
                   "",
                   {FindNext},
                   "«»{ café",
                   {"Could not find \"[\"."}},
        SearchCase{"AccentedLettersKeepTheirCase",
                   "«»CAFÉ",
                   "café",
                   "",
                   {FindNext},
                   "«»CAFÉ",
                   {"Could not find \"café\"."}},
        SearchCase{"EmptySearchTextFindsNothing",
                   "«»mov",
                   "",
                   "",
                   {FindNext},
                   "«»mov",
                   {"Could not find \"\"."}},
        SearchCase{"ReplaceTakesANonMatchingSelection",
                   "«abc» mov def mov",
                   "mov",
                   "X",
                   {Replace},
                   "X «mov» def mov",
                   {}},
        SearchCase{
            "ReplaceWithoutSelectionOnlyFinds", "«»a mov", "mov", "X", {Replace}, "a «mov»", {}},
        SearchCase{"ReplaceWalksToTheEnd",
                   "«»mov mov",
                   "mov",
                   "X",
                   {Replace, Replace, Replace},
                   "X X«»",
                   {"Could not find \"mov\"."}},
        SearchCase{"ReplaceAllThreeWithoutSelection",
                   "«»mov A\nMOV B\nMov C",
                   "mov",
                   "ADD",
                   {ReplaceAll},
                   "ADD A\nADD B\nADD«» C",
                   {"Replaced 3 items."}},
        SearchCase{"ReplaceAllCountsTheOccurrenceFound",
                   "«»mov mov mov",
                   "mov",
                   "X",
                   {FindNext, ReplaceAll},
                   "X X X«»",
                   {"Replaced 3 items."}},
        SearchCase{"ReplaceAllDoesNotWrap",
                   "mov «»mov mov",
                   "mov",
                   "X",
                   {ReplaceAll},
                   "mov X X«»",
                   {"Replaced 2 items."}},
        SearchCase{"ReplaceAllTakesANonMatchingSelection",
                   "«zz» mov",
                   "mov",
                   "X",
                   {ReplaceAll},
                   "X X«»",
                   {"Replaced 2 items."}},
        SearchCase{"ReplaceAllWithNoOccurrence",
                   "ad«»d",
                   "mov",
                   "X",
                   {ReplaceAll},
                   "ad«»d",
                   {"Replaced 0 items."}},
        SearchCase{"ReplaceAllAByAAEndsAfterOnePass",
                   "«»A a A",
                   "A",
                   "AA",
                   {ReplaceAll},
                   "AA AA AA«»",
                   {"Replaced 3 items."}},
        SearchCase{"ReplaceAllByNothingDeletes",
                   "«»a,b,c",
                   ",",
                   "",
                   {ReplaceAll},
                   "ab«»c",
                   {"Replaced 2 items."}},
        SearchCase{
            "ReadOnlyStillFinds", "«»run mov", "mov", "X", {FindNext}, "run «mov»", {}, true},
        SearchCase{"ReadOnlyReplaceDoesNothing",
                   "«run» mov",
                   "mov",
                   "X",
                   {Replace, ReplaceAll},
                   "«run» mov",
                   {},
                   true}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(FindReplaceTest, ReplaceAllIsOneUndoStep) {
    Load("«»mov\nmov\nmov");
    search.ReplaceAll(QStringLiteral("MOV"), QStringLiteral("ADD"));
    ASSERT_EQ(editor->toPlainText(), QStringLiteral("ADD\nADD\nADD"));
    editor->undo();
    EXPECT_EQ(editor->toPlainText(), QStringLiteral("mov\nmov\nmov"));
}

TEST_F(FindReplaceTest, DialogsStartWithTheFirstLineOfTheSelection) {
    Load("«mov A\nmov» B");
    search.ShowFind();
    EXPECT_EQ(search.FindDialog1->SearchText->text(), QStringLiteral("mov A"));
    EXPECT_EQ(search.FindDialog1->windowTitle(), QStringLiteral("Find"));
    Load("mov «A»");
    search.ShowReplace();
    EXPECT_EQ(search.ReplaceDialog1->SearchText->text(), QStringLiteral("A"));
    EXPECT_EQ(search.ReplaceDialog1->windowTitle(), QStringLiteral("Replace"));
    Load("mov«» A");
    search.ShowFind();
    EXPECT_EQ(search.FindDialog1->SearchText->text(), QString());
}

TEST_F(FindReplaceTest, FindDialogOffersOnlyFindNextAndCancel) {
    EXPECT_EQ(search.FindDialog1->ReplaceText, nullptr);
    EXPECT_EQ(search.FindDialog1->ButtonReplace, nullptr);
    EXPECT_EQ(search.FindDialog1->ButtonReplaceAll, nullptr);
    for (SearchDialog* dialog : {search.FindDialog1, search.ReplaceDialog1}) {
        EXPECT_TRUE(dialog->ButtonFindNext->isDefault());
        EXPECT_FALSE(dialog->isModal());
    }
}

TEST_F(FindReplaceTest, EnterInTheSearchTextIsFindNext) {
    Load("«»one mov two mov");
    search.ShowFind();
    search.FindDialog1->SearchText->setText(QStringLiteral("MOV"));
    QTest::keyClick(search.FindDialog1->SearchText, Qt::Key_Return);
    EXPECT_EQ(Marked(), "one «mov» two mov");
    QTest::keyClick(search.FindDialog1->SearchText, Qt::Key_Return);
    EXPECT_EQ(Marked(), "one mov two «mov»");
    EXPECT_TRUE(search.FindDialog1->isVisible());
}

TEST_F(FindReplaceTest, ReplaceDialogButtonsReplace) {
    Load("«»mov mov mov");
    search.ShowReplace();
    SearchDialog* dialog = search.ReplaceDialog1;
    dialog->SearchText->setText(QStringLiteral("mov"));
    dialog->ReplaceText->setText(QStringLiteral("ADD"));
    QTest::mouseClick(dialog->ButtonFindNext, Qt::LeftButton);
    QTest::mouseClick(dialog->ButtonReplace, Qt::LeftButton);
    EXPECT_EQ(Marked(), "ADD «mov» mov");
    QTest::mouseClick(dialog->ButtonReplaceAll, Qt::LeftButton);
    EXPECT_EQ(Marked(), "ADD ADD ADD«»");
    EXPECT_EQ(Messages(), std::vector<std::string>{"Replaced 2 items."});
}

// The main window keeps the focus only while neither dialog is visible.
TEST_F(FindReplaceTest, VisibilityFollowsBothDialogs) {
    std::vector<bool> reported;
    QObject::connect(&search, &FindReplace::VisibilityChanged,
                     [&reported](bool anyVisible) { reported.push_back(anyVisible); });
    search.ShowFind();
    search.ShowReplace();
    EXPECT_EQ(reported, (std::vector<bool>{true, true}));
    QTest::keyClick(search.FindDialog1->SearchText, Qt::Key_Escape);
    EXPECT_FALSE(search.FindDialog1->isVisible());
    EXPECT_EQ(reported.back(), true); // the replace dialog is still up
    QTest::mouseClick(search.ReplaceDialog1->ButtonCancel, Qt::LeftButton);
    EXPECT_FALSE(search.ReplaceDialog1->isVisible());
    EXPECT_EQ(reported.back(), false);
    EXPECT_FALSE(search.AnyVisible());
    search.ShowFind();
    EXPECT_EQ(reported.back(), true);
}

} // namespace
