#include "workbench/Themes.h"

#include <QApplication>
#include <algorithm>
#include <cmath>

namespace {

constexpr ThemeName Names[] = {
    {ThemeId::Classic, "&Classic", "Classic"},
    {ThemeId::Dark, "&Dark", "Dark"},
    {ThemeId::HighContrast, "&High Contrast", "HighContrast"},
};

using C = SourceClass;

// Classic: the colours the workbench has always had, on the desktop's own palette.
Theme Classic(const QPalette& system) {
    const QColor face = system.color(QPalette::Button);
    const QColor yellow(0xFF, 0xFF, 0x00);
    const QColor red(0xFF, 0x00, 0x00);
    return {
        .Id = ThemeId::Classic,
        .Window = {system.color(QPalette::Window), system.color(QPalette::WindowText)},
        .Field = {system.color(QPalette::Base), system.color(QPalette::Text)},
        .Face = {face, system.color(QPalette::ButtonText)},
        .Selection = {system.color(QPalette::Highlight), system.color(QPalette::HighlightedText)},
        .Indicator = {system.color(QPalette::Base), system.color(QPalette::Text)},
        .Bevel = system.color(QPalette::Dark),
        .AtRest = {face, Qt::black},
        .Progress = {QColor(0x00, 0x80, 0x00), yellow},
        .Error = {red, yellow},
        .Halted = {yellow, red},
        .Changed = {yellow, Qt::black},
        .Running = {QColor(0x00, 0x64, 0x00), Qt::white},
        .LockedEditor = face,
        // The faint grey of run mode is lost on a projector; a run shows plainly.
        .RunningEditor = QColor(0xD6, 0xE6, 0xFF),
        .RamCell = {Qt::white, Qt::black},
        .RamIp = {red, yellow},
        .RamSp = {Qt::blue, yellow},
        .RamHeading = {Qt::white, red},
        .KeyPrompt = {QColor(0x00, 0x00, 0x80), yellow},
        .Gutter = {QColor(0xE4, 0xE4, 0xE4), QColor(0x50, 0x50, 0x50)},
        .GutterError = {QColor(0xD0, 0x00, 0x00), Qt::white},
        .GutterEdge = QColor(0xB0, 0xB0, 0xB0),
        .Breakpoint = QColor(0xC8, 0x10, 0x10),
        .IpArrow = QColor(0xFF, 0xD8, 0x00),
        .ErrorUnderline = red,
        .Link = {face, Qt::blue},
        .Source = {{
            {C::Mnemonic, QColor(0x00, 0x33, 0xAA)},
            {C::Register, QColor(0x9C, 0x00, 0x79)},
            {C::Number, QColor(0xA3, 0x47, 0x00)},
            {C::Label, QColor(0x00, 0x6B, 0x6B)},
            {C::LabelReference, QColor(0x4B, 0x5E, 0x00)},
            {C::Comment, QColor(0x5A, 0x5A, 0x5A)},
            {C::String, QColor(0xB0, 0x00, 0x20)},
            {C::Directive, QColor(0x6B, 0x2F, 0xA3)},
        }},
    };
}

// Light text on dark greys; the meaningful colours keep their hues, deepened or lightened
// until their text reads.
Theme Dark() {
    const QColor light(0xE6, 0xE6, 0xE6);
    const QColor yellow(0xFF, 0xFF, 0x00);
    const QColor field(0x1E, 0x1E, 0x1E);
    const QColor face(0x3C, 0x3F, 0x41);
    return {
        .Id = ThemeId::Dark,
        .Window = {QColor(0x2B, 0x2B, 0x2B), light},
        .Field = {field, light},
        .Face = {face, light},
        .Selection = {QColor(0x2F, 0x5F, 0xA8), Qt::white},
        .Indicator = {field, light},
        .Bevel = QColor(0x6A, 0x6D, 0x70),
        .AtRest = {face, light},
        .Progress = {QColor(0x1B, 0x5E, 0x20), yellow},
        .Error = {QColor(0xB7, 0x1C, 0x1C), yellow},
        .Halted = {QColor(0xFF, 0xE0, 0x00), QColor(0x8B, 0x00, 0x00)},
        .Changed = {QColor(0xFF, 0xE0, 0x00), Qt::black},
        .Running = {QColor(0x2E, 0x7D, 0x32), Qt::white},
        .LockedEditor = QColor(0x34, 0x37, 0x3C),
        .RunningEditor = QColor(0x18, 0x3A, 0x5E),
        .RamCell = {field, light},
        .RamIp = {QColor(0xC6, 0x28, 0x28), yellow},
        .RamSp = {QColor(0x15, 0x65, 0xC0), yellow},
        .RamHeading = {field, QColor(0xFF, 0x6B, 0x6B)},
        .KeyPrompt = {QColor(0x00, 0x00, 0x80), yellow},
        .Gutter = {QColor(0x2B, 0x2B, 0x2B), QColor(0xA0, 0xA0, 0xA0)},
        .GutterError = {QColor(0xD0, 0x00, 0x00), Qt::white},
        .GutterEdge = QColor(0x55, 0x55, 0x55),
        .Breakpoint = QColor(0xE5, 0x39, 0x35),
        .IpArrow = QColor(0xFF, 0xD8, 0x00),
        .ErrorUnderline = QColor(0xFF, 0x55, 0x55),
        .Link = {face, QColor(0x8A, 0xB4, 0xF8)},
        .Source = {{
            {C::Mnemonic, QColor(0x7F, 0xB2, 0xFF)},
            {C::Register, QColor(0xF2, 0x8F, 0xD8)},
            {C::Number, QColor(0xFF, 0xB3, 0x66)},
            {C::Label, QColor(0x4F, 0xD6, 0xD6)},
            {C::LabelReference, QColor(0xC5, 0xE0, 0x66)},
            {C::Comment, QColor(0xA8, 0xA8, 0xA8)},
            {C::String, QColor(0xFF, 0x8A, 0x8A)},
            {C::Directive, QColor(0xC9, 0xA3, 0xFF)},
        }},
    };
}

// White and pure colours on black, for the back of the room and for weak eyes.
Theme HighContrast() {
    const QColor yellow(0xFF, 0xFF, 0x00);
    const ColourPair plain{Qt::black, Qt::white};
    return {
        .Id = ThemeId::HighContrast,
        .Window = plain,
        .Field = plain,
        .Face = plain,
        .Selection = {QColor(0x00, 0xFF, 0xFF), Qt::black},
        .Indicator = {Qt::white, Qt::black},
        .Bevel = Qt::white,
        .AtRest = plain,
        .Progress = {QColor(0x00, 0xFF, 0x00), Qt::black},
        .Error = {QColor(0xB0, 0x00, 0x00), yellow},
        .Halted = {yellow, Qt::black},
        .Changed = {yellow, Qt::black},
        .Running = {QColor(0x00, 0xFF, 0x00), Qt::black},
        .LockedEditor = QColor(0x26, 0x26, 0x26),
        .RunningEditor = QColor(0x00, 0x2B, 0x66),
        .RamCell = plain,
        .RamIp = {QColor(0xC0, 0x00, 0x00), yellow},
        .RamSp = {QColor(0x00, 0x00, 0xFF), yellow},
        .RamHeading = {Qt::black, QColor(0xFF, 0x60, 0x60)},
        .KeyPrompt = {Qt::black, yellow},
        .Gutter = plain,
        .GutterError = {QColor(0xC0, 0x00, 0x00), Qt::white},
        .GutterEdge = Qt::white,
        .Breakpoint = QColor(0xFF, 0x40, 0x40),
        .IpArrow = yellow,
        .ErrorUnderline = QColor(0xFF, 0x40, 0x40),
        .Link = {Qt::black, yellow},
        .Source = {{
            {C::Mnemonic, QColor(0x66, 0xCC, 0xFF)},
            {C::Register, QColor(0xFF, 0x99, 0xFF)},
            {C::Number, QColor(0xFF, 0xCC, 0x66)},
            {C::Label, QColor(0x66, 0xFF, 0xFF)},
            {C::LabelReference, QColor(0xCC, 0xFF, 0x66)},
            {C::Comment, QColor(0xC8, 0xC8, 0xC8)},
            {C::String, QColor(0xFF, 0x99, 0x99)},
            {C::Directive, QColor(0xDD, 0xAA, 0xFF)},
        }},
    };
}

struct ShownState {
    std::optional<QPalette> System; // taken before the first switch
    Theme Current = Classic(QApplication::palette());
};

ShownState& Shown() {
    static ShownState state;
    return state;
}

double Channel(int value) {
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& colour) {
    return 0.2126 * Channel(colour.red()) + 0.7152 * Channel(colour.green()) +
           0.0722 * Channel(colour.blue());
}

const char* SourceClassName(SourceClass kind) {
    static constexpr const char* names[] = {"plain",   "mnemonic", "register",
                                            "number",  "label",    "label reference",
                                            "comment", "string",   "directive"};
    return names[static_cast<size_t>(kind)];
}

// The boxes of check boxes and radio buttons are drawn in the base colour of fields, which
// in High Contrast is the black of the window they stand on.
QPalette IndicatorPalette(const Theme& theme, QPalette palette) {
    palette.setColor(QPalette::Base, theme.Indicator.Back);
    palette.setColor(QPalette::Text, theme.Indicator.Text);
    return palette;
}

} // namespace

std::span<const ThemeName> ThemeNames() {
    return Names;
}

ThemeId ThemeFromKey(std::string_view key) {
    const auto found = std::find_if(std::begin(Names), std::end(Names),
                                    [key](const ThemeName& name) { return name.Key == key; });
    return found == std::end(Names) ? ThemeId::Classic : found->Id;
}

const char* KeyOf(ThemeId id) {
    return Names[static_cast<size_t>(id)].Key;
}

Theme MakeTheme(ThemeId id, const QPalette& system) {
    switch (id) {
    case ThemeId::Dark:
        return Dark();
    case ThemeId::HighContrast:
        return HighContrast();
    case ThemeId::Classic:
        break;
    }
    return Classic(system);
}

QPalette ThemePalette(const Theme& theme, const QPalette& system) {
    if (theme.Id == ThemeId::Classic) {
        return system;
    }
    QPalette palette(theme.Face.Back, theme.Window.Back);
    const std::pair<QPalette::ColorRole, QColor> roles[] = {
        {QPalette::WindowText, theme.Window.Text},
        {QPalette::Base, theme.Field.Back},
        {QPalette::AlternateBase, theme.Window.Back},
        {QPalette::Text, theme.Field.Text},
        {QPalette::ButtonText, theme.Face.Text},
        {QPalette::Highlight, theme.Selection.Back},
        {QPalette::HighlightedText, theme.Selection.Text},
        {QPalette::ToolTipBase, theme.Field.Back},
        {QPalette::ToolTipText, theme.Field.Text},
        {QPalette::PlaceholderText, theme.Gutter.Text},
        {QPalette::BrightText, theme.Changed.Back},
        {QPalette::Link, theme.Link.Text},
    };
    for (const auto& [role, colour] : roles) {
        palette.setColor(role, colour);
    }
    for (const auto role :
         {QPalette::Light, QPalette::Midlight, QPalette::Mid, QPalette::Dark, QPalette::Shadow}) {
        palette.setColor(role, theme.Bevel);
    }
    // Greyed texts are told apart from live ones, not read.
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, theme.GutterEdge);
    }
    return palette;
}

const Theme& ShownTheme() {
    return Shown().Current;
}

void ShowTheme(ThemeId id) {
    ShownState& shown = Shown();
    if (!shown.System) {
        shown.System = QApplication::palette();
    }
    shown.Current = MakeTheme(id, *shown.System);
    const QPalette palette = ThemePalette(shown.Current, *shown.System);
    QApplication::setPalette(palette);
    for (const char* kind : {"QCheckBox", "QRadioButton"}) {
        QApplication::setPalette(IndicatorPalette(shown.Current, palette), kind);
    }
}

QPalette FixedSystemPalette() {
    const QPalette& system = Shown().System.value_or(QApplication::palette());
    QPalette fixed;
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        for (int role = 0; role < QPalette::NColorRoles; ++role) {
            const auto colourRole = static_cast<QPalette::ColorRole>(role);
            fixed.setBrush(group, colourRole, system.brush(group, colourRole));
        }
    }
    return fixed;
}

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::vector<TextOnBack> ReadablePairs(const Theme& t) {
    std::vector<TextOnBack> pairs = {
        {"window text", t.Window},
        {"editor text", t.Field},
        {"button text", t.Face},
        {"selected text", t.Selection},
        {"check mark", t.Indicator},
        {"status line and registers at rest", t.AtRest},
        {"status line green", t.Progress},
        {"status line red", t.Error},
        {"status line yellow", t.Halted},
        {"changed register", t.Changed},
        {"RUNNING mark", t.Running},
        {"editor text in run mode", {t.LockedEditor, t.Field.Text}},
        {"editor text while running", {t.RunningEditor, t.Field.Text}},
        {"RAM cell", t.RamCell},
        {"RAM cell at IP", t.RamIp},
        {"RAM cell at SP", t.RamSp},
        {"RAM heading", t.RamHeading},
        {"keyboard input prompt", t.KeyPrompt},
        {"line number", t.Gutter},
        {"line number of an error", t.GutterError},
        {"about box link", t.Link},
    };
    const std::pair<const char*, QColor> editorBacks[] = {
        {"", t.Field.Back}, {" in run mode", t.LockedEditor}, {" while running", t.RunningEditor}};
    for (const SourceColour& source : t.Source) {
        for (const auto& [when, back] : editorBacks) {
            pairs.push_back(
                {std::string(SourceClassName(source.Class)) + when, {back, source.Colour}});
        }
    }
    return pairs;
}
