#include "workbench/TformAboutBox.h"

#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <functional>

#include "workbench/Fonts.h"
#include "workbench/Links.h"
#include "workbench/Themes.h"
#include "workbench/ToolButtonPictures.h"

namespace {

const QString ProductText = QStringLiteral("Corvane Workbench - Version 5.0");

// The label names the version itself, so a derived version stands beside it in brackets.
QString ProductLabelText(const QString& versionText) {
    if (versionText == QLatin1String(NoVersionText)) {
        return ProductText;
    }
    return ProductText + QStringLiteral(" (") + versionText + QLatin1Char(')');
}

// A read-only field that shows an address as a link and hands it to the system on a click;
// when no program takes it, failed is called with what to say.
class LinkField : public QLineEdit {
  public:
    LinkField(const QString& address, const QString& name, QWidget* parent,
              std::function<void(const QString&)> failed)
        : QLineEdit(address, parent), failed_(std::move(failed)) {
        setObjectName(name);
        setReadOnly(true);
        setFocusPolicy(Qt::NoFocus);
        setCursor(Qt::PointingHandCursor);
        QFont underlined = font();
        underlined.setUnderline(true);
        setFont(underlined);
        ApplyTheme();
    }

    void ApplyTheme() {
        const ColourPair& link = ShownTheme().Link;
        QPalette colours = palette();
        colours.setColor(QPalette::Base, link.Back);
        colours.setColor(QPalette::Text, link.Text);
        setPalette(colours);
    }

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        QLineEdit::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
            !QDesktopServices::openUrl(QUrl(text()))) {
            failed_(NoProgramForLink(text()));
        }
    }

  private:
    std::function<void(const QString&)> failed_;
};

QLabel* Caption(const QString& text, QWidget* buddy, QRect place, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    label->setGeometry(place);
    return label;
}

constexpr int Left = 100;
constexpr int FieldWidth = 466;

} // namespace

QString VersionFromFileName(const QString& path) {
    for (qsizetype index = path.size() - 1; index >= 2; --index) {
        if (path[index] == QLatin1Char('.')) {
            return path[index - 2] + QStringLiteral(".") + path[index - 1];
        }
    }
    return QLatin1String(NoVersionText);
}

TformAboutBox::TformAboutBox(QWidget* owner, const QString& versionText)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(586, 227);

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setPixmap(ProgramIconPixmap(64));
    icon->setGeometry(20, 20, 64, 64);

    auto* product = new QLabel(ProductLabelText(versionText), this);
    product->setObjectName(QStringLiteral("ProductName"));
    product->setFont(TimesNewRoman(25, true));
    product->setGeometry(Left, 22, FieldWidth, 36);

    const auto failed = [this](const QString& message) { emit LinkFailed(message); };
    auto* website =
        new LinkField(QLatin1String(WebsiteAddress), QStringLiteral("Website"), this, failed);
    website->setGeometry(Left, 90, FieldWidth, 22);
    Caption(QStringLiteral("&Website"), website, QRect(Left, 72, FieldWidth, 16), this);

    auto* contact =
        new LinkField(QLatin1String(ContactAddress), QStringLiteral("Contact"), this, failed);
    contact->setGeometry(Left, 138, FieldWidth, 22);
    Caption(QStringLiteral("&E-Mail Contact"), contact, QRect(Left, 120, FieldWidth, 16), this);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ButtonOK"));
    ok->setDefault(true);
    ok->setGeometry(491, 188, 75, 25);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

// Centred on the screen each time it opens, as the screen may have changed, and with its
// links in the theme shown.
void TformAboutBox::showEvent(QShowEvent* event) {
    for (QLineEdit* field : findChildren<QLineEdit*>()) {
        if (auto* link = dynamic_cast<LinkField*>(field)) {
            link->ApplyTheme();
        }
    }
    QDialog::showEvent(event);
    QRect frame = frameGeometry();
    frame.moveCenter(screen()->availableGeometry().center());
    move(frame.topLeft());
}
