#include "workbench/TFormRamHex.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPaintEvent>
#include <QPainter>
#include <QRadioButton>
#include <algorithm>
#include <array>

#include "core/MachineState.h"
#include "workbench/ButtonFace.h"
#include "workbench/Fonts.h"
#include "workbench/Glyphs.h"
#include "workbench/Themes.h"
#include "workbench/Zoom.h"

namespace {

// 16 columns of cells and the heading column, and as many rows.
constexpr int Side = 17;
constexpr int PanelHeight = 28;
constexpr int CellPoints = 8;
constexpr int NoCell = -1;

struct ViewTexts {
    const char* button;
    const char* objectName;
    const char* caption;
    QLatin1StringView absentCell;
};

// Indexed by View.
constexpr std::array<ViewTexts, 3> Views = {{
    {"&X Hexadecimal", "RadioButtonHex", "RAM Hexadecimal View", QLatin1StringView("00")},
    {"&Y ASCII", "RadioButtonASCII", "RAM ASCII View", QLatin1StringView(" ")},
    {"&Z Source", "RadioButtonSource", "RAM Source Code View", QLatin1StringView("END")},
}};

const ViewTexts& TextsOf(TFormRamHex::View view) {
    return Views[static_cast<size_t>(view)];
}

// Where the texts start inside their cells.
constexpr QPoint ColumnHeadingOffset(8, 1);
constexpr QPoint RowHeadingOffset(3, 1);
constexpr QPoint CellTextOffset(1, 1);

// "0" to "F" over the columns, "00" to "F0" beside the rows; made once, as every full paint
// draws them.
const QString& Heading(int index, bool row) {
    static const auto headings = [] {
        std::array<std::array<QString, 16>, 2> texts;
        for (int i = 0; i < 16; ++i) {
            texts[0][i] = QString::number(i, 16).toUpper();
            texts[1][i] = texts[0][i] + QLatin1Char('0');
        }
        return texts;
    }();
    return headings[row ? 1 : 0][index];
}

void AppendBytes(QString& text, std::string_view bytes) {
    text.append(QLatin1StringView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

} // namespace

TFormRamHex::TFormRamHex(QWidget* owner)
    : ToolWindow(owner, QString::fromLatin1(TextsOf(View::Source).caption), QSize(500, 310),
                 Frame::Sizeable, Qt::white),
      panel_(new QWidget(this)), buttons_(new QButtonGroup(this)), font_(CourierNew(CellPoints)),
      metrics_(font_) {
    setFont(font_);
    BuildPanel();
    ApplyTheme();
    buttons_->button(static_cast<int>(View::Source))->setChecked(true);
    // A button picked with the mouse or its Alt key changes the view as SetView does.
    connect(buttons_, &QButtonGroup::idClicked, this, &TFormRamHex::ApplyView);
    Relayout();
}

void TFormRamHex::BuildPanel() {
    panel_->setObjectName(QStringLiteral("Panel1"));
    panel_->setAccessibleName(QStringLiteral("Views"));
    panel_->setAutoFillBackground(true);
    auto* row = new QHBoxLayout(panel_);
    row->setContentsMargins(8, 0, 8, 0);
    for (size_t id = 0; id < Views.size(); ++id) {
        auto* button = new QRadioButton(QString::fromLatin1(Views[id].button), panel_);
        button->setObjectName(QString::fromLatin1(Views[id].objectName));
        button->setFont(CourierNew(10));
        buttons_->addButton(button, static_cast<int>(id));
        row->addWidget(button, 1);
    }
}

void TFormRamHex::ApplyTheme() {
    const Theme& theme = ShownTheme();
    SetBackground(theme.RamCell.Back);
    QPalette colours = panel_->palette();
    colours.setColor(QPalette::Window, ButtonFace());
    panel_->setPalette(colours);
    plain_ = StyleOf(theme.RamCell);
    ip_ = StyleOf(theme.RamIp);
    sp_ = StyleOf(theme.RamSp);
    heading_ = StyleOf(theme.RamHeading);
    PaintAll();
}

void TFormRamHex::SetMachine(const MachineState* machine) {
    machine_ = machine;
    // The full paint that follows draws the highlights where the registers are now.
    lastIpCell_ = machine ? machine->RegisterLow(IP) : NoCell;
    lastSpCell_ = machine ? machine->RegisterLow(SP) : NoCell;
    PaintAll();
}

void TFormRamHex::PaintAll() {
    update();
}

void TFormRamHex::PaintCell(int address) {
    update(AddressBox(address));
}

void TFormRamHex::UpdateHighlights() {
    if (!machine_) {
        return;
    }
    MoveHighlight(IP, lastIpCell_);
    MoveHighlight(SP, lastSpCell_);
}

// The cell that loses the highlight is repainted after the register moved, so it shows
// plain again, or the other register's colours when that one points there now.
void TFormRamHex::MoveHighlight(int reg, int& lastCell) {
    const int cell = machine_->RegisterLow(reg);
    if (cell == lastCell) {
        return;
    }
    if (lastCell != NoCell) {
        PaintCell(lastCell);
    }
    PaintCell(cell);
    lastCell = cell;
}

void TFormRamHex::Relayout() {
    const int panelHeight = Zoomed(PanelHeight, Zoom());
    const int tableHeight = std::max(0, height() - panelHeight);
    cellSize_ = QSize(width() / Side, tableHeight / Side);
    panel_->setGeometry(0, tableHeight, width(), panelHeight);
    PaintAll();
}

QString TFormRamHex::CellText(int address) const {
    QString text;
    FillCellText(address, CurrentView(), text);
    return text;
}

void TFormRamHex::SetView(View view) {
    buttons_->button(static_cast<int>(view))->setChecked(true);
    ApplyView();
}

bool TFormRamHex::PointsAt(int reg, int address) const {
    return machine_ && machine_->RegisterLow(reg) == address;
}

TFormRamHex::View TFormRamHex::CurrentView() const {
    return static_cast<View>(buttons_->checkedId());
}

void TFormRamHex::ApplyView() {
    Relayout();
    setWindowTitle(QString::fromLatin1(TextsOf(CurrentView()).caption));
}

void TFormRamHex::ApplyZoom(double factor) {
    ToolWindow::ApplyZoom(factor);
    font_.setPointSizeF(CellPoints * factor);
    metrics_ = QFontMetrics(font_);
    setFont(font_);
    Relayout();
}

void TFormRamHex::resizeEvent(QResizeEvent* event) {
    ToolWindow::resizeEvent(event);
    Relayout();
}

QRect TFormRamHex::CellBox(int column, int row) const {
    return {QPoint(column * cellSize_.width(), row * cellSize_.height()), cellSize_};
}

QRect TFormRamHex::AddressBox(int address) const {
    const int cell = address & 0xFF;
    return CellBox(cell % 16 + 1, cell / 16 + 1);
}

// Reuses the text's buffer, so painting 256 cells does not allocate 256 strings.
void TFormRamHex::FillCellText(int address, View view, QString& text) const {
    text.resize(0);
    if (!machine_) {
        text.append(QLatin1StringView("  "));
        return;
    }
    const std::optional<CellShown> cell = machine_->Cell(address);
    if (!cell) {
        text.append(TextsOf(view).absentCell);
        return;
    }
    switch (view) {
    case View::Hexadecimal:
        AppendBytes(text, cell->HexText);
        break;
    case View::Ascii:
        text.append(QLatin1Char(' '));
        text.append(ShownGlyph(static_cast<uint8_t>(cell->Value)));
        break;
    case View::Source:
        AppendBytes(text, cell->Text);
        break;
    }
}

// IP wins when IP and SP point at the same cell.
TFormRamHex::TextStyle TFormRamHex::StyleOf(const ColourPair& colours) {
    return {QPen(colours.Text), QBrush(colours.Back)};
}

const TFormRamHex::TextStyle& TFormRamHex::StyleFor(int address) const {
    if (PointsAt(IP, address)) {
        return ip_;
    }
    if (PointsAt(SP, address)) {
        return sp_;
    }
    return plain_;
}

// Only what lies in the dirty region is drawn; the window's own background has already
// filled that region white.
void TFormRamHex::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setBackgroundMode(Qt::OpaqueMode);
    PaintHeadings(painter, event->region());
    PaintCells(painter, event->region());
}

void TFormRamHex::PaintHeadings(QPainter& painter, const QRegion& dirty) const {
    const auto paint = [&](const QRect& cell, QPoint offset, const QString& text) {
        if (dirty.intersects(cell)) {
            DrawText(painter, cell, offset, text, heading_);
        }
    };
    for (int i = 0; i < 16; ++i) {
        paint(CellBox(i + 1, 0), ColumnHeadingOffset, Heading(i, false));
        paint(CellBox(0, i + 1), RowHeadingOffset, Heading(i, true));
    }
}

void TFormRamHex::PaintCells(QPainter& painter, const QRegion& dirty) const {
    const View view = CurrentView();
    QString text;
    for (int address = 0; address < 256; ++address) {
        const QRect cell = AddressBox(address);
        if (dirty.intersects(cell)) {
            FillCellText(address, view, text);
            DrawText(painter, cell, CellTextOffset, text, StyleFor(address));
        }
    }
}

// The background covers the text's own box only. A text too wide for its cell ends in an
// ellipsis before the cell's last pixel: cut at the edge, it would seem to run on into the
// next cell's text. Whatever still overflows (in a cell too small) is cut at the cell's edge,
// so a single cell's repaint looks the same as a full one.
void TFormRamHex::DrawText(QPainter& painter, const QRect& cell, QPoint offset, const QString& text,
                           const TextStyle& style) const {
    const QPoint origin = cell.topLeft() + offset * Zoom();
    const int room = cell.right() - origin.x();
    const int width = metrics_.horizontalAdvance(text);
    const QString shown = width <= room ? text : metrics_.elidedText(text, Qt::ElideRight, room);
    const QRect box(origin, QSize(width <= room ? width : metrics_.horizontalAdvance(shown),
                                  metrics_.height()));
    const bool cut = !cell.contains(box);
    if (cut) {
        painter.setClipRect(cell);
    }
    painter.setPen(style.pen);
    painter.setBackground(style.background);
    painter.drawText(origin.x(), origin.y() + metrics_.ascent(), shown);
    if (cut) {
        painter.setClipping(false);
    }
}
