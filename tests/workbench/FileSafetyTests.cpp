// Files that fight back: a full disk, things that are not regular files, other people's
// files, misleading names. The student's file must survive every one of them.
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <cerrno>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include "WorkbenchFixture.h"
#include "core/RunControl.h"
#include "workbench/SafeFile.h"

namespace {

bool RunningAsRoot() {
    return ::geteuid() == 0;
}

// A 64 KB file system of its own, which a test can fill up.
class FullDiskTest : public WorkbenchTest {
  protected:
    void SetUp() override {
        WorkbenchTest::SetUp();
        disk = Path("disk");
        QDir().mkpath(disk);
        if (!RunningAsRoot() ||
            ::mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0, "size=64k") != 0) {
            GTEST_SKIP() << "a small tmpfs needs root";
        }
        mounted = true;
    }
    void TearDown() override {
        if (mounted) {
            ::umount2(QFile::encodeName(disk).constData(), MNT_DETACH);
        }
        WorkbenchTest::TearDown();
    }
    QString OnDisk(const QString& name) const { return disk + "/" + name; }
    // Takes what is left, but for `spare` bytes.
    void Fill(qint64 spare) const {
        QFile filler(OnDisk("filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'f');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        filler.close();
        ASSERT_TRUE(filler.resize(std::max<qint64>(0, filler.size() - spare)));
    }
    QByteArray Read(const QString& path) const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QString disk;
    bool mounted = false;
};

TEST_F(FullDiskTest, SaveKeepsTheOldFileTheFlagAndSaysTheDiskIsFull) {
    const QByteArray old = "MOV AL,1\r\nEND\r\n";
    {
        QFile file(OnDisk("prog.asm"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(old);
    }
    dialogs.FileNames.push_back(OnDisk("prog.asm"));
    form->MenuFileOpenClick();
    // Small or large, with nothing or a few kilobytes free: the old bytes stay.
    for (const qint64 spare : {0, 4096}) {
        Fill(spare);
        form->memoSource->selectAll();
        form->memoSource->insertPlainText(QString(20000, u'x'));
        dialogs.Messages.clear();
        EXPECT_FALSE(form->SaveSource()) << spare;
        EXPECT_EQ(Read(OnDisk("prog.asm")), old) << spare;
        EXPECT_EQ(dialogs.Messages,
                  QStringList{"The disk is full: " + OnDisk("prog.asm") + " was not saved."});
        EXPECT_TRUE(form->memoSource->document()->isModified());
        EXPECT_FALSE(form->LabelCurrInstr->text().contains("Saved"));
        EXPECT_EQ(QDir(disk).entryList(QDir::Files), QStringList({"filler", "prog.asm"}))
            << "no temporary file is left behind";
    }
    // Assemble saves first, so it stops too and the program may not run.
    EXPECT_FALSE(Assemble());
    EXPECT_EQ(Read(OnDisk("prog.asm")), old);
}

TEST_F(FullDiskTest, SettingsFileStaysWholeOnAFullDisk) {
    ASSERT_TRUE(QDir::setCurrent(disk));
    form->SaveSettings();
    const QByteArray saved = Read(OnDisk(TFormMain::IniFileName()));
    ASSERT_FALSE(saved.isEmpty());
    Fill(0);
    form->ButtonFastClick();
    form->SaveSettings();
    EXPECT_EQ(Read(OnDisk(TFormMain::IniFileName())), saved);
    ASSERT_EQ(dialogs.Messages.size(), 1);
    EXPECT_TRUE(dialogs.Messages[0].startsWith("The disk is full: "));
}

// As root, a save over a student's file leaves it the student's, with its permissions.
TEST_F(WorkbenchTest, SaveKeepsTheFilesOwnerGroupAndMode) {
    Open("theirs.asm", "NOP\r\n");
    const QByteArray path = QFile::encodeName(Path("theirs.asm"));
    ::chmod(path.constData(), 0640);
    if (RunningAsRoot()) {
        ASSERT_EQ(::chown(path.constData(), 4321, 4322), 0);
    }
    struct stat before {};
    ::stat(path.constData(), &before);
    form->memoSource->setPlainText("HALT");
    ASSERT_TRUE(form->SaveSource());
    struct stat after {};
    ::stat(path.constData(), &after);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadBytes("theirs.asm"), "HALT\r\n");
}

TEST_F(WorkbenchTest, ANewFileFollowsTheUmaskAndALinkStaysALink) {
    const mode_t previous = ::umask(022);
    dialogs.FileNames.push_back(Path("new.asm"));
    form->memoSource->setPlainText("NOP");
    ASSERT_TRUE(form->SaveSourceAs());
    ::umask(previous);
    EXPECT_EQ(QFileInfo(Path("new.asm")).permissions() & 0x0777, 0x0644);

    ASSERT_TRUE(QFile::link(Path("new.asm"), Path("link.asm")));
    dialogs.FileNames.push_back(Path("link.asm"));
    form->memoSource->setPlainText("HALT");
    ASSERT_TRUE(form->SaveSourceAs());
    EXPECT_TRUE(QFileInfo(Path("link.asm")).isSymLink());
    EXPECT_EQ(ReadBytes("new.asm"), "HALT\r\n");
}

// A FIFO, a device or a link to one is refused at once: nothing waits, nothing fills memory.
TEST_F(WorkbenchTest, OnlyRegularFilesAreOpened) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path("pipe.asm")).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", Path("zero.asm")));
    form->memoSource->setPlainText("NOP");
    for (const QString name : {"pipe.asm", "zero.asm"}) {
        dialogs.Messages.clear();
        dialogs.FileNames.push_back(Path(name));
        form->MenuFileOpenClick();
        EXPECT_EQ(dialogs.Messages, QStringList{Path(name) + " is not a regular file."});
        form->StartUp({Path(name)});
        EXPECT_EQ(dialogs.Messages.size(), 2) << name.toStdString();
        EXPECT_EQ(form->memoSource->toPlainText(), "NOP");
    }
    // Nor is a FIFO replaced by a save.
    dialogs.Messages.clear();
    dialogs.FileNames.push_back(Path("pipe.asm"));
    EXPECT_FALSE(form->SaveSourceAs());
    EXPECT_EQ(dialogs.Messages, QStringList{Path("pipe.asm") + " is not a regular file."});
    EXPECT_FALSE(QFileInfo(Path("pipe.asm")).isFile());
}

TEST_F(WorkbenchTest, ASettingsFileThatIsAFifoIsSaidAndTheDefaultsUsed) {
    const QByteArray ini = QFile::encodeName(Path(TFormMain::IniFileName()));
    ASSERT_EQ(::mkfifo(ini.constData(), 0600), 0);
    form->StartUp({});
    EXPECT_EQ(dialogs.Messages,
              QStringList{Path(TFormMain::IniFileName()) + " is not a regular file."});
    EXPECT_EQ(form->Control().CpuClockInterval(), 1000);
}

TEST_F(WorkbenchTest, ASettingsFileWithAByteOrderMarkKeepsItsFirstSection) {
    WriteBytes(TFormMain::IniFileName(), "\xEF\xBB\xBF[CPU_Clock]\r\nInterval=250\r\n");
    form->StartUp({});
    EXPECT_EQ(form->Control().CpuClockInterval(), 250);
}

// The command line says what really went wrong, in the system's words.
TEST_F(WorkbenchTest, CommandLineProblemsAreNamedAsTheyAre) {
    ASSERT_TRUE(QFile::link(Path("loop1"), Path("loop2")));
    ASSERT_TRUE(QFile::link(Path("loop2"), Path("loop1")));
    const struct {
        QStringList Arguments;
        QString Message;
    } cases[] = {
        {{Path("loop1")}, Path("loop1") + " : " + SystemReason(ELOOP) + "."},
        {{Path("gone.asm")}, Path("gone.asm") + " : File not found."},
        {{Path("caf\uFFFD.asm")},
         Path("caf\uFFFD.asm") +
             " : The file name is not valid UTF-8; rename the file to open it."},
    };
    for (const auto& c : cases) {
        dialogs.Messages.clear();
        form->StartUp(c.Arguments);
        EXPECT_EQ(dialogs.Messages, QStringList{c.Message});
        EXPECT_EQ(form->windowTitle(), "Untitled");
    }
}

// Two files chosen together in a file manager: the first is opened, and the student is told.
TEST_F(WorkbenchTest, TwoFilesOnTheCommandLineOpenTheFirstAndSaySo) {
    WriteBytes("one.asm", "NOP\r\n");
    WriteBytes("two.asm", "HALT\r\n");
    form->StartUp({Path("one.asm"), Path("two.asm")});
    EXPECT_EQ(dialogs.Messages, QStringList{"Only one file can be opened at a time, so only " +
                                            Path("one.asm") + " was opened."});
    EXPECT_EQ(form->windowTitle(), Path("one.asm"));
}

TEST_F(WorkbenchTest, AFileInAFolderNobodyMayReadIsRefusedWithTheSystemsReason) {
    if (RunningAsRoot()) {
        GTEST_SKIP() << "root may read every folder";
    }
    QDir().mkpath(Path("closed"));
    WriteBytes("closed/in.asm", "NOP\r\n");
    QFile::setPermissions(Path("closed"), QFileDevice::WriteOwner);
    form->StartUp({Path("closed/in.asm")});
    QFile::setPermissions(Path("closed"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(dialogs.Messages,
              QStringList{Path("closed/in.asm") + " : " + SystemReason(EACCES) + "."});
}

} // namespace
