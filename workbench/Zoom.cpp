#include "workbench/Zoom.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QFrame>
#include <QGroupBox>
#include <QLayout>
#include <QMenu>
#include <QWidget>
#include <algorithm>
#include <cmath>

#include "workbench/ToolWindow.h"

namespace {

// Set on a widget whose font the zoom made explicit, to give it back its inherited one at 100 %.
constexpr char InheritedFont[] = "zoomInheritedFont";

QSize Rescaled(QSize size, double from, double to) {
    const auto limit = [&](int length) {
        return length >= QWIDGETSIZE_MAX || length == 0 ? length : Rezoomed(length, from, to);
    };
    return {limit(size.width()), limit(size.height())};
}

QRect Rescaled(const QRect& place, double from, double to) {
    const QRect base(QPoint(static_cast<int>(std::lround(place.left() / from)),
                            static_cast<int>(std::lround(place.top() / from))),
                     QPoint(static_cast<int>(std::lround((place.right() + 1) / from)) - 1,
                            static_cast<int>(std::lround((place.bottom() + 1) / from)) - 1));
    return Zoomed(base, to);
}

// A plain container: its children stand where the code put them, not where a layout, a
// splitter, a scroll area or a tab widget puts them.
bool PlacesChildren(const QWidget& widget) {
    if (widget.layout()) {
        return false;
    }
    const QString type = QString::fromLatin1(widget.metaObject()->className());
    return qobject_cast<const ToolWindow*>(&widget) || type == QLatin1String("QWidget") ||
           type == QLatin1String("QFrame") || type == QLatin1String("QGroupBox");
}

// A tool window draws with its own font at its own scale, so its children take the zoom
// themselves; menus do not inherit the main window's font, so they take it too.
bool TakesZoomedFont(const QWidget& widget) {
    if (qobject_cast<const ToolWindow*>(&widget)) {
        return false;
    }
    return widget.testAttribute(Qt::WA_SetFont) || widget.isWindow() ||
           qobject_cast<const ToolWindow*>(widget.parentWidget());
}

QFont Rescaled(QFont font, double from, double to) {
    if (font.pixelSize() > 0) {
        font.setPixelSize(std::max(1, Rezoomed(font.pixelSize(), from, to)));
    } else {
        font.setPointSizeF(font.pointSizeF() / from * to);
    }
    return font;
}

// The editor's gutter takes the editor's font whenever it changes.
bool FollowsAnotherFont(const QWidget& widget) {
    const auto* area = qobject_cast<const QAbstractScrollArea*>(widget.parentWidget());
    return area && widget.testAttribute(Qt::WA_SetFont) && widget.font() == area->font();
}

// The tool windows and the menus zoom with the main window; boxes keep their own look.
bool ZoomsWithOwner(const QWidget& window) {
    return qobject_cast<const ToolWindow*>(&window) || qobject_cast<const QMenu*>(&window);
}

void RezoomFont(QWidget& widget, double from, double to) {
    if (!TakesZoomedFont(widget) || FollowsAnotherFont(widget)) {
        return;
    }
    const bool inherited =
        widget.property(InheritedFont).toBool() || !widget.testAttribute(Qt::WA_SetFont);
    if (inherited && to == 1.0) {
        widget.setFont(QFont());
        widget.setProperty(InheritedFont, QVariant());
        return;
    }
    widget.setFont(Rescaled(widget.font(), from, to));
    widget.setProperty(InheritedFont, inherited ? QVariant(true) : QVariant());
}

void RezoomSize(QWidget& widget, double from, double to) {
    const QSize minimum = widget.minimumSize();
    const QSize maximum = widget.maximumSize();
    if (widget.isWindow() && minimum != maximum) {
        const QSize size = Rescaled(widget.size(), from, to);
        widget.setMinimumSize(Rescaled(minimum, from, to));
        widget.setMaximumSize(Rescaled(maximum, from, to));
        widget.resize(size);
        return;
    }
    widget.setMinimumSize(Rescaled(minimum, from, to));
    widget.setMaximumSize(Rescaled(maximum, from, to));
    const QWidget* parent = widget.parentWidget();
    if (!widget.isWindow() && parent && PlacesChildren(*parent)) {
        widget.setGeometry(Rescaled(widget.geometry(), from, to));
    }
}

void RezoomIcon(QWidget& widget, double from, double to) {
    auto* button = qobject_cast<QAbstractButton*>(&widget);
    if (button && !button->icon().isNull()) {
        button->setIconSize(Rescaled(button->iconSize(), from, to));
    }
}

void RezoomTree(QWidget& widget, double from, double to) {
    RezoomFont(widget, from, to);
    RezoomSize(widget, from, to);
    RezoomIcon(widget, from, to);
    for (QWidget* child : widget.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow() || ZoomsWithOwner(*child)) {
            RezoomTree(*child, from, to);
        }
    }
    if (auto* tool = qobject_cast<ToolWindow*>(&widget)) {
        tool->ApplyZoom(to);
    }
}

} // namespace

int ZoomedIn(int percent) {
    const auto next = std::upper_bound(ZoomSteps.begin(), ZoomSteps.end(), percent);
    return next == ZoomSteps.end() ? ZoomSteps.back() : *next;
}

int ZoomedOut(int percent) {
    const auto next = std::lower_bound(ZoomSteps.begin(), ZoomSteps.end(), percent);
    return next == ZoomSteps.begin() ? ZoomSteps.front() : *std::prev(next);
}

int ZoomFromSettings(std::optional<int> percent) {
    if (percent && std::find(ZoomSteps.begin(), ZoomSteps.end(), *percent) != ZoomSteps.end()) {
        return *percent;
    }
    return ActualSize;
}

int Zoomed(int length, double factor) {
    return static_cast<int>(std::lround(length * factor));
}

QRect Zoomed(const QRect& place, double factor) {
    const QPoint topLeft(Zoomed(place.left(), factor), Zoomed(place.top(), factor));
    const QPoint end(Zoomed(place.right() + 1, factor), Zoomed(place.bottom() + 1, factor));
    return {topLeft, end - QPoint(1, 1)};
}

int Rezoomed(int length, double from, double to) {
    return Zoomed(static_cast<int>(std::lround(length / from)), to);
}

QRect Covering(const QRect& area, double factor) {
    return QRectF(QPointF(area.topLeft()) * factor, QSizeF(area.size()) * factor).toAlignedRect();
}

void Rezoom(QWidget* window, double from, double to) {
    if (from != to) {
        RezoomTree(*window, from, to);
    }
}
