#pragma once

#include <QDialog>
#include <QString>

// The version text made from the executable's full path: from the last character towards the
// first, the first "." at position 3 or later (counting from 1) gives the two characters
// before it joined by "." (".../corvane50.exe" gives "5.0"); without one it is
// NoVersionText.
QString VersionFromFileName(const QString& path);

// What VersionFromFileName gives when the path holds no version.
inline constexpr const char* NoVersionText = " - could not generate version information.";

// The about box: the program's icon, the product and its version, and the website and
// e-mail contact as links that open in the system's programs. Shown modally with exec().
class TformAboutBox : public QDialog {
    Q_OBJECT
  public:
    // versionText is the main window's VersionText; it follows the product label's own
    // version, unless it is NoVersionText.
    TformAboutBox(QWidget* owner, const QString& versionText);

  signals:
    // A link was clicked but the system has no program to open it.
    void LinkFailed(const QString& message);

  protected:
    void showEvent(QShowEvent* event) override;
};
