#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <csignal>
#include <sys/resource.h>

#include "WorkbenchFixture.h"

namespace {

TEST_F(WorkbenchTest, NewGivesAnUntitledSourceThatSaveAsksToName) {
    form->MenuFileNewClick();
    EXPECT_EQ(form->windowTitle(), "Untitled");
    form->MenuFileSaveClick();
    ASSERT_EQ(dialogs.FileRequests.size(), 1u);
    EXPECT_EQ(dialogs.FileRequests[0].Title, "Save Source FIle");
    EXPECT_EQ(dialogs.FileRequests[0].DefaultSuffix, "ASM");
    EXPECT_TRUE(dialogs.FileRequests[0].Save);
}

TEST_F(WorkbenchTest, SaveAsNamesTheFullPathAndSaveTheBareName) {
    form->memoSource->setPlainText("NOP\nEND");
    dialogs.FileNames.push_back(Path("mine.asm"));
    form->MenuFileSaveAsClick();
    EXPECT_EQ(form->windowTitle(), Path("mine.asm"));
    EXPECT_EQ(form->OpenFileName(), Path("mine.asm"));
    EXPECT_EQ(form->LabelCurrInstr->text(), " Saved " + Path("mine.asm"));
    EXPECT_EQ(ReadBytes("mine.asm"), "NOP\r\nEND\r\n");
    form->MenuFileSaveClick();
    EXPECT_EQ(form->LabelCurrInstr->text(), " Saved mine.asm");
}

struct QuestionCase {
    QMessageBox::StandardButton Answer;
    bool Opened;
};

class UnsavedChangesQuestion : public WorkbenchTest,
                               public ::testing::WithParamInterface<QuestionCase> {};

TEST_P(UnsavedChangesQuestion, DecidesWhetherOpenGoesOn) {
    WriteBytes("other.asm", "HALT\r\n");
    Open("mine.asm", "NOP\r\n");
    form->memoSource->insertPlainText("; edited\n");
    dialogs.Answers.push_back(GetParam().Answer);
    dialogs.FileNames.push_back(Path("other.asm"));
    form->MenuFileOpenClick();
    EXPECT_EQ(dialogs.Questions, QStringList{"Save source code now?"});
    EXPECT_EQ(form->windowTitle(), Path(GetParam().Opened ? "other.asm" : "mine.asm"));
    const bool saved = GetParam().Answer == QMessageBox::Yes;
    EXPECT_EQ(ReadBytes("mine.asm"), saved ? "; edited\r\nNOP\r\n" : "NOP\r\n");
}

INSTANTIATE_TEST_SUITE_P(Answers, UnsavedChangesQuestion,
                         ::testing::Values(QuestionCase{QMessageBox::Yes, true},
                                           QuestionCase{QMessageBox::No, true},
                                           QuestionCase{QMessageBox::Cancel, false}));

TEST_F(WorkbenchTest, YesOnAnUntitledSourceThenCancellingTheSaveOpensNothing) {
    form->memoSource->setPlainText("NOP");
    dialogs.Answers.push_back(QMessageBox::Yes);
    dialogs.FileNames.push_back(""); // the save dialog is cancelled
    form->MenuFileOpenClick();
    EXPECT_EQ(dialogs.FileRequests.size(), 1u);
    EXPECT_EQ(form->memoSource->toPlainText(), "NOP");
}

TEST_F(WorkbenchTest, MissingExampleLeavesTheSourceAndProposesItsNameNextTime) {
    Open("mine.asm", "NOP\r\n");
    form->LoadExample("loops.asm");
    EXPECT_EQ(form->memoSource->toPlainText(), "NOP\n");
    EXPECT_EQ(form->windowTitle(), Path("mine.asm"));
    form->MenuFileOpenClick();
    EXPECT_EQ(dialogs.FileRequests.back().InitialName, "loops.asm");
    WriteBytes("loops.asm", "HALT\r\n");
    form->LoadExample("loops.asm");
    EXPECT_EQ(form->windowTitle(), "loops.asm");
    EXPECT_TRUE(form->Machine().Machine.NeedsAssembly);
}

// Every byte survives: Latin-1 text, line ends made CR LF, a final line break not doubled.
TEST_F(WorkbenchTest, SourcesRoundTripByteForByte) {
    const struct {
        QByteArray Read;
        QByteArray Saved;
    } cases[] = {
        {"MOV AL,1\r\nEND\r\n", "MOV AL,1\r\nEND\r\n"},
        {"MOV AL,1\nEND", "MOV AL,1\r\nEND\r\n"},
        {"DB \"\xA3\xA0\xE9\xFF\"\rEND\r", "DB \"\xA3\xA0\xE9\xFF\"\r\nEND\r\n"},
        {"\r\n\r\n", "\r\n\r\n"},
        {QByteArray("; a\0b\x01\x7F\r\n", 9), QByteArray("; a\0b\x01\x7F\r\n", 9)},
        // A byte-order mark is skipped, and one later in the text is Latin-1 like any bytes.
        {"\xEF\xBB\xBFMOV AL,1\r\nDB \"\xEF\xBB\xBF\"\r\n", "MOV AL,1\r\nDB \"\xEF\xBB\xBF\"\r\n"},
    };
    for (const auto& c : cases) {
        Open("trip.asm", c.Read);
        form->MenuFileSaveClick();
        EXPECT_EQ(ReadBytes("trip.asm"), c.Saved) << c.Read.toStdString();
    }
}

TEST_F(WorkbenchTest, BadFilesGiveAMessageAndLeaveTheSource) {
    form->memoSource->setPlainText("NOP");
    QDir(folder.path()).mkdir("folder.asm");
    const QString big = Path("big.asm");
    {
        QFile file(big);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(17 * 1024 * 1024));
    }
    for (const QString& path : {Path("folder.asm"), Path("missing.asm"), big}) {
        dialogs.FileNames.push_back(path);
        form->MenuFileOpenClick();
    }
    EXPECT_EQ(dialogs.Messages.size(), 3);
    EXPECT_EQ(form->memoSource->toPlainText(), "NOP");
    EXPECT_EQ(form->windowTitle(), "Untitled");
}

TEST_F(WorkbenchTest, ReadOnlyTargetIsRefusedAndKeptWhole) {
    Open("locked.asm", "OLD\r\n");
    QFile::setPermissions(Path("locked.asm"), QFileDevice::ReadOwner | QFileDevice::ReadOther);
    form->memoSource->selectAll();
    form->memoSource->insertPlainText("NEW");
    form->MenuFileSaveClick();
    ASSERT_EQ(dialogs.Messages.size(), 1);
    EXPECT_TRUE(dialogs.Messages[0].contains("read only"));
    EXPECT_EQ(ReadBytes("locked.asm"), "OLD\r\n");
    EXPECT_TRUE(form->memoSource->document()->isModified());
}

// A write that fails half-way (here: past the file size limit) leaves the old file whole.
TEST_F(WorkbenchTest, FailedWriteLeavesTheOldFileWhole) {
    Open("keep.asm", "OLD\r\n");
    form->memoSource->setPlainText(QString(200000, u'x'));
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = previous;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = form->SaveSource();
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(saved);
    EXPECT_EQ(dialogs.Messages.size(), 1);
    EXPECT_EQ(ReadBytes("keep.asm"), "OLD\r\n");
}

// When the source could not be saved, Assemble reads nothing and keeps the old program.
TEST_F(WorkbenchTest, AssembleStopsWhenTheSaveFails) {
    Open("prog.asm", "MOV AL,5\r\nEND\r\n");
    ASSERT_TRUE(Assemble());
    const QString list = form->MemoList->toPlainText();
    form->memoSource->setPlainText("MOV AL,7\nEND");
    QFile::setPermissions(Path("prog.asm"), QFileDevice::ReadOwner);
    EXPECT_FALSE(Assemble());
    EXPECT_EQ(form->MemoList->toPlainText(), list);
    EXPECT_EQ(form->Machine().Machine.CellValue(2), 5);
    form->ButtonStepClick();
    EXPECT_EQ(Reg(AL), 0);
}

TEST_F(WorkbenchTest, BlockReadErrorOnlyWhenBytesWereLost) {
    Open("short.asm", "MOV AL,1\nEND");
    ASSERT_TRUE(Assemble());
    EXPECT_TRUE(dialogs.Messages.isEmpty());
    QByteArray big = "END\r\n";
    big.append(QByteArray(33000, ' '));
    Open("long.asm", big);
    Assemble();
    EXPECT_EQ(dialogs.Messages, QStringList{"Block read error"});
}

TEST_F(WorkbenchTest, EmptyEditorHasNothingToAssemble) {
    form->memoSource->setPlainText("");
    dialogs.FileNames.push_back(Path("empty.asm"));
    Assemble();
    EXPECT_EQ(form->LabelCurrInstr->text(), " Nothing to assemble.");
}

} // namespace
