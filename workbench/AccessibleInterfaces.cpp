#include "workbench/AccessibleInterfaces.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QPointer>
#include <array>

#include "core/MachineState.h"
#include "workbench/TFormRamHex.h"

namespace {

constexpr int Side = 16;
constexpr int Cells = Side * Side;

class RamTable;

class RamCell : public QAccessibleInterface, public QAccessibleTableCellInterface {
  public:
    RamCell(RamTable& table, TFormRamHex* view, int address)
        : table_(table), view_(view), address_(address) {}

    bool isValid() const override { return !view_.isNull(); }
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.readOnly = true;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableCellInterface
                   ? static_cast<QAccessibleTableCellInterface*>(this)
                   : nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return address_ % Side; }
    int rowIndex() const override { return address_ / Side; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override;

  private:
    RamTable& table_;
    QPointer<TFormRamHex> view_;
    int address_;
};

// The cells come after the window's own children, the view's buttons.
class RamTable : public QAccessibleWidget, public QAccessibleTableInterface {
  public:
    explicit RamTable(TFormRamHex* view) : QAccessibleWidget(view, QAccessible::Table) {}
    ~RamTable() override {
        for (QAccessible::Id id : cells_) {
            if (id != 0) {
                QAccessible::deleteAccessibleInterface(id);
            }
        }
    }

    TFormRamHex* View() const { return static_cast<TFormRamHex*>(widget()); }

    int childCount() const override { return QAccessibleWidget::childCount() + Cells; }
    QAccessibleInterface* child(int index) const override {
        const int own = QAccessibleWidget::childCount();
        if (index < own) {
            return QAccessibleWidget::child(index);
        }
        return index < own + Cells ? Cell(index - own) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (const auto* cell = const_cast<QAccessibleInterface*>(child)->tableCellInterface()) {
            return QAccessibleWidget::childCount() + cell->rowIndex() * Side + cell->columnIndex();
        }
        return QAccessibleWidget::indexOfChild(child);
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface*>(this)
                                                   : QAccessibleWidget::interface_cast(type);
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        const bool inside = row >= 0 && row < Side && column >= 0 && column < Side;
        return inside ? Cell(row * Side + column) : nullptr;
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    // The headings the view draws: "0" to "F" over the columns, "00" to "F0" beside the rows.
    QString columnDescription(int column) const override {
        return QString::number(column, 16).toUpper();
    }
    QString rowDescription(int row) const override {
        return QString::number(row, 16).toUpper() + QLatin1Char('0');
    }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return Side; }
    int rowCount() const override { return Side; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

  private:
    // Made when first asked for and kept, so that a cell keeps its id.
    QAccessibleInterface* Cell(int address) const {
        QAccessible::Id& id = cells_[static_cast<size_t>(address)];
        if (id == 0) {
            id = QAccessible::registerAccessibleInterface(
                new RamCell(const_cast<RamTable&>(*this), View(), address));
        }
        return QAccessible::accessibleInterface(id);
    }

    mutable std::array<QAccessible::Id, Cells> cells_{};
};

QAccessibleInterface* RamCell::parent() const {
    return &table_;
}

QAccessibleInterface* RamCell::table() const {
    return &table_;
}

// The name is what the cell shows, a space by its name; the description its address and the
// registers that point at it.
QString RamCell::text(QAccessible::Text t) const {
    if (!view_) {
        return {};
    }
    if (t == QAccessible::Name) {
        const QString shown = view_->CellText(address_).trimmed();
        return shown.isEmpty() ? QStringLiteral("space") : shown;
    }
    if (t != QAccessible::Description) {
        return {};
    }
    QString words = QStringLiteral("address ") +
                    QStringLiteral("%1").arg(address_, 2, 16, QLatin1Char('0')).toUpper();
    for (const auto& [reg, mark] : {std::pair{IP, "IP"}, std::pair{SP, "SP"}}) {
        if (view_->PointsAt(reg, address_)) {
            words += QStringLiteral(", ") + QLatin1StringView(mark);
        }
    }
    return words;
}

QRect RamCell::rect() const {
    if (!view_) {
        return {};
    }
    const QRect box = view_->AddressBox(address_);
    return QRect(view_->mapToGlobal(box.topLeft()), box.size());
}

class StatusLine : public QAccessibleWidget {
  public:
    explicit StatusLine(QLabel* label) : QAccessibleWidget(label, QAccessible::StatusBar) {}

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name) {
            return QAccessibleWidget::text(t);
        }
        const QString shown = static_cast<QLabel*>(widget())->text().simplified();
        return shown.isEmpty() ? QStringLiteral("Status line") : shown;
    }
};

} // namespace

QAccessibleInterface* WorkbenchAccessible(const QString&, QObject* object) {
    if (auto* view = qobject_cast<TFormRamHex*>(object)) {
        return new RamTable(view);
    }
    auto* label = qobject_cast<QLabel*>(object);
    if (label && label->objectName() == QLatin1StringView("LabelCurrInstr")) {
        return new StatusLine(label);
    }
    return nullptr;
}
