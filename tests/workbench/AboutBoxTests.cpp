#include "workbench/TformAboutBox.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>
#include <ostream>

#include "workbench/ButtonFace.h"
#include "workbench/Links.h"
#include "workbench/ToolButtonPictures.h"

namespace {

struct VersionCase {
    const char* name;
    QString path;
    QString version;
};

void PrintTo(const VersionCase& c, std::ostream* os) {
    *os << c.name;
}

class VersionFromFileNameTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(VersionFromFileNameTest, FollowsTheLastDotFromPositionThree) {
    const VersionCase& c = GetParam();
    EXPECT_EQ(VersionFromFileName(c.path), c.version) << c.name;
}

const QString NoVersion = QString::fromLatin1(NoVersionText);

INSTANTIATE_TEST_SUITE_P(
    Paths, VersionFromFileNameTest,
    ::testing::Values(VersionCase{"versioned program", "/opt/corvane/corvane50.exe", "5.0"},
                      VersionCase{"windows path", "C:\\Program Files\\Corvane\\corvane42.exe",
                                  "4.2"},
                      VersionCase{"no dot", "/x/ab", NoVersion},
                      VersionCase{"empty path", "", NoVersion},
                      VersionCase{"dot at position one", ".ab", NoVersion},
                      VersionCase{"dot at position two", "a.bc", NoVersion},
                      VersionCase{"dot at position three", "ab.c", "a.b"},
                      VersionCase{"the last dot counts", "/tmp/v12.tar.gz", "a.r"},
                      VersionCase{"a dot in a folder counts", "/home/my.stuff/corvane", "m.y"},
                      VersionCase{"dot after a dot", "/x..", "x.."},
                      VersionCase{"dot at the end", "/tmp/run57.", "5.7"}));

// Records the links handed to the system instead of opening them.
class LinkRecorder : public QObject {
    Q_OBJECT
  public:
    QList<QUrl> opened;
  public slots:
    void Open(const QUrl& url) { opened.append(url); }
};

class AboutBoxTest : public ::testing::Test {
  protected:
    AboutBoxTest() {
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "Open");
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &recorder, "Open");
    }
    ~AboutBoxTest() override {
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    }

    template <typename T> T* Child(const char* name) const {
        T* child = box.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QLabel* CaptionFor(const QWidget* buddy) const {
        for (QLabel* label : box.findChildren<QLabel*>()) {
            if (label->buddy() == buddy) {
                return label;
            }
        }
        return nullptr;
    }

    LinkRecorder recorder;
    TformAboutBox box{nullptr, QStringLiteral("5.0")};
};

TEST_F(AboutBoxTest, IsAFixedSizeDialogCalledAbout) {
    EXPECT_EQ(box.windowTitle(), "About");
    EXPECT_EQ(box.size(), QSize(586, 227));
    EXPECT_EQ(box.minimumSize(), box.maximumSize());
}

TEST_F(AboutBoxTest, ProductLabelNamesTheDerivedVersionBesideItsOwn) {
    const auto* product = Child<QLabel>("ProductName");
    EXPECT_EQ(product->text(), "Corvane Workbench - Version 5.0 (5.0)");
    const QFontInfo font(product->font());
    EXPECT_EQ(font.family(), "Liberation Serif");
    EXPECT_EQ(font.pixelSize(), 25);
}

TEST(AboutBoxFallback, ShowsTheDesignTextAloneWithoutAVersion) {
    TformAboutBox box(nullptr, VersionFromFileName(QStringLiteral("/usr/bin/corvane")));
    EXPECT_EQ(box.findChild<QLabel*>(QStringLiteral("ProductName"))->text(),
              "Corvane Workbench - Version 5.0");
}

TEST_F(AboutBoxTest, ShowsTheProgramsIcon) {
    const QPixmap icon = Child<QLabel>("ProgramIcon")->pixmap();
    EXPECT_EQ(icon.size(), QSize(64, 64));
    EXPECT_EQ(icon.toImage(), ProgramIconPixmap(64).toImage());
}

struct LinkCase {
    const char* field;
    const char* caption;
    const char* address;
};

constexpr LinkCase Links[] = {
    {"Website", "&Website", WebsiteAddress},
    {"Contact", "&E-Mail Contact", ContactAddress},
};

TEST_F(AboutBoxTest, LinkFieldsShowTheirAddressesUnderTheirCaptions) {
    for (const LinkCase& link : Links) {
        const auto* field = Child<QLineEdit>(link.field);
        EXPECT_EQ(field->text(), link.address) << link.field;
        EXPECT_TRUE(field->isReadOnly()) << link.field;
        const QLabel* caption = CaptionFor(field);
        ASSERT_NE(caption, nullptr) << link.field;
        EXPECT_EQ(caption->text(), link.caption);
        EXPECT_LT(caption->geometry().bottom(), field->geometry().top()) << link.field;
    }
}

TEST_F(AboutBoxTest, LinkFieldsLookLikeLinksAndTakeNoTabStop) {
    for (const LinkCase& link : Links) {
        const auto* field = Child<QLineEdit>(link.field);
        EXPECT_EQ(field->focusPolicy(), Qt::NoFocus) << link.field;
        EXPECT_EQ(field->cursor().shape(), Qt::PointingHandCursor) << link.field;
        EXPECT_TRUE(field->font().underline()) << link.field;
        EXPECT_EQ(field->palette().color(QPalette::Text), QColor(Qt::blue)) << link.field;
        EXPECT_EQ(field->palette().color(QPalette::Base), ButtonFace()) << link.field;
    }
}

TEST_F(AboutBoxTest, LinkFieldsDrawBlueTextOnButtonFace) {
    for (const LinkCase& link : Links) {
        const QImage picture = Child<QLineEdit>(link.field)->grab().toImage();
        EXPECT_EQ(picture.pixelColor(picture.width() - 8, picture.height() / 2), ButtonFace())
            << link.field;
        int blue = 0;
        for (int x = 0; x < picture.width(); ++x) {
            for (int y = 0; y < picture.height(); ++y) {
                blue += picture.pixelColor(x, y) == QColor(Qt::blue) ? 1 : 0;
            }
        }
        EXPECT_GT(blue, 20) << link.field;
    }
}

TEST_F(AboutBoxTest, ClickOnALinkHandsItToTheSystem) {
    for (const LinkCase& link : Links) {
        recorder.opened.clear();
        QTest::mouseClick(Child<QLineEdit>(link.field), Qt::LeftButton);
        ASSERT_EQ(recorder.opened.size(), 1) << link.field;
        EXPECT_EQ(recorder.opened.front(), QUrl(QString::fromLatin1(link.address)));
    }
}

TEST_F(AboutBoxTest, RightClickOpensNothing) {
    QTest::mouseClick(Child<QLineEdit>("Website"), Qt::RightButton);
    EXPECT_TRUE(recorder.opened.isEmpty());
}

TEST_F(AboutBoxTest, OkIsTheDefaultButton) {
    const auto* ok = Child<QPushButton>("ButtonOK");
    EXPECT_EQ(ok->text(), "OK");
    EXPECT_TRUE(ok->isDefault());
}

// Runs the box modally and does `act` from inside its event loop; returns exec()'s result.
template <typename Act> int ExecAndDo(TformAboutBox& box, Act act) {
    bool modal = false;
    QTimer::singleShot(0, &box, [&] {
        modal = QApplication::activeModalWidget() == &box;
        act();
    });
    const int result = box.exec();
    EXPECT_TRUE(modal);
    return result;
}

TEST_F(AboutBoxTest, OkClosesTheModalBox) {
    const int result = ExecAndDo(
        box, [this] { QTest::mouseClick(Child<QPushButton>("ButtonOK"), Qt::LeftButton); });
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_FALSE(box.isVisible());
}

TEST_F(AboutBoxTest, EnterAndEscapeCloseTheBox) {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        ExecAndDo(box, [this, key] { QTest::keyClick(&box, key); });
        EXPECT_FALSE(box.isVisible()) << key;
    }
}

TEST_F(AboutBoxTest, OpensCentredOnTheScreen) {
    ExecAndDo(box, [this] {
        const QPoint centre = box.screen()->availableGeometry().center();
        const QPoint offset = box.frameGeometry().center() - centre;
        EXPECT_LE(offset.manhattanLength(), 2);
        box.accept();
    });
}

} // namespace

#include "AboutBoxTests.moc"
