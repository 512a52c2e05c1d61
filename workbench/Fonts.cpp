#include "workbench/Fonts.h"

#include <QFontMetrics>
#include <QStringList>

namespace {

QFont Sized(const QString& family, int size, bool pixels) {
    QFont font(family);
    if (pixels) {
        font.setPixelSize(size);
    } else {
        font.setPointSize(size);
    }
    return font;
}

} // namespace

void MapClassicFonts() {
    QFont::insertSubstitution("Courier New", "Liberation Mono");
    const QStringList sansFonts = {QStringLiteral("Liberation Sans"),
                                   QStringLiteral("DejaVu Sans")};
    QFont::insertSubstitutions("MS Sans Serif", sansFonts);
    QFont::insertSubstitution("Times New Roman", "Liberation Serif");
}

QFont CourierNew(int size, bool pixels) {
    QFont font = Sized("Courier New", size, pixels);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    return font;
}

QFont MsSansSerif(int size, bool pixels) {
    QFont font = Sized("MS Sans Serif", size, pixels);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

QFont TimesNewRoman(int size, bool pixels) {
    QFont font = Sized("Times New Roman", size, pixels);
    font.setStyleHint(QFont::Serif);
    return font;
}

QFont FittingFont(QFont font, const QString& text, QSize box) {
    while (font.pixelSize() > 1) {
        const QFontMetrics metrics(font);
        if (metrics.horizontalAdvance(text) <= box.width() && metrics.height() <= box.height()) {
            break;
        }
        font.setPixelSize(font.pixelSize() - 1);
    }
    return font;
}
