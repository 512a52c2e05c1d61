// corvane-icon-export: writes the program's icon, drawn in code, as PNG files for the
// desktop's icon theme, so the files and the windows show the same picture.
//
//   corvane-icon-export FOLDER SIZE...   writes FOLDER/SIZExSIZE/apps/corvane.png

#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QStringList>
#include <QTextStream>

#include "workbench/ToolButtonPictures.h"

namespace {

bool WriteIcon(const QDir& folder, int size) {
    const QString place = QStringLiteral("%1x%1/apps").arg(size);
    return folder.mkpath(place) &&
           ProgramIconPixmap(size).save(folder.filePath(place + "/corvane.png"), "PNG");
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QStringList words = QGuiApplication::arguments().mid(1);
    QTextStream err(stderr);
    if (words.size() < 2) {
        err << "usage: corvane-icon-export FOLDER SIZE...\n";
        return 2;
    }
    const QDir folder(words.takeFirst());
    for (const QString& word : words) {
        bool number = false;
        const int size = word.toInt(&number);
        if (!number || size <= 0 || !WriteIcon(folder, size)) {
            err << "cannot write the icon of size " << word << '\n';
            return 1;
        }
    }
    return 0;
}
