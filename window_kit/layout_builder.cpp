#include "window_kit/layout_builder.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <limits>
#include <vector>

#include "window_kit/caption_label.h"
#include "window_kit/painted_lines.h"

namespace kit {
namespace {

using model::ControlKind;
using model::ControlSpec;
using model::LineSpec;
using model::twipsToPixels;

QRect pixelRect(int left, int top, int width, int height) {
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width),
                 twipsToPixels(height));
}

QWidget* makeControl(const ControlSpec& entry, QWidget* parent) {
    const QString caption = entry.caption ? QString::fromUtf8(entry.caption) : QString();
    switch (entry.kind) {
        case ControlKind::PictureBox: {
            auto* box = new QWidget(parent);
            box->setFocusPolicy(Qt::TabFocus);
            box->setAutoFillBackground(true);
            return box;
        }
        case ControlKind::Label: {
            auto* label = new CaptionLabel(caption, parent);
            // Opaque on the window, where a later label covers part of an earlier
            // one. Inside a frame it shows the frame's own background, exactly as
            // an opaque label of the frame's colour would.
            label->setAutoFillBackground(entry.container == nullptr);
            return label;
        }
        case ControlKind::TextBox: {
            auto* field = new QLineEdit(caption, parent);
            // No length limit: the toolkit's default of 32767 characters would
            // silently cut off a longer paste.
            field->setMaxLength(std::numeric_limits<int>::max());
            return field;
        }
        case ControlKind::Frame:
            return new QGroupBox(caption, parent);
        case ControlKind::CommandButton: {
            auto* button = new QPushButton(caption, parent);
            // No button is pressed by Enter: the windows have no default button.
            button->setAutoDefault(false);
            button->setDefault(false);
            return button;
        }
        case ControlKind::ListBox: {
            auto* list = new QListWidget(parent);
            list->setSelectionMode(QAbstractItemView::SingleSelection);
            list->setSortingEnabled(false);
            // At a fractional scale the viewport, rounded outwards to whole
            // pixels, would paint over the frame's right and bottom edges: the
            // list paints the background under its frame and the viewport shows it.
            list->setBackgroundRole(QPalette::Base);
            list->setAutoFillBackground(true);
            list->viewport()->setAutoFillBackground(false);
            return list;
        }
    }
    return nullptr;
}

// The container a table entry names, which an earlier entry must have made; a
// null parent would make the control a stray top-level window.
QWidget* containerOf(const BuiltLayout& built, const char* container, QWidget* window) {
    if (!container) {
        return window;
    }
    QWidget* parent = built.find(container);
    if (!parent) {
        qFatal("The window's layout places a control in %s, which no earlier entry makes",
               container);
    }
    return parent;
}

}  // namespace

QString controlKey(const char* name, int index) {
    const QString base = QString::fromLatin1(name);
    return index < 0 ? base : base + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
}

void missingControl(const char* name, int index) {
    qFatal("The window's layout has no control %s of the kind asked for",
           qPrintable(controlKey(name, index)));
}

QWidget* BuiltLayout::find(const char* name, int index) const {
    return widgets_.value(controlKey(name, index), nullptr);
}

BuiltLayout buildLayout(QWidget* window, std::span<const ControlSpec> controls,
                        std::span<const LineSpec> lines) {
    BuiltLayout built;
    std::vector<std::pair<int, QWidget*>> focusable;
    for (const ControlSpec& entry : controls) {
        QWidget* widget = makeControl(entry, containerOf(built, entry.container, window));
        widget->setObjectName(controlKey(entry.name, entry.index));
        if (entry.accessibleName) {
            const QString name = QString::fromUtf8(entry.accessibleName);
            // A result caption is heard by its name and the value it shows.
            auto* caption = qobject_cast<CaptionLabel*>(widget);
            if (caption && entry.role == model::Role::Result) {
                caption->setResultName(name);
            } else {
                widget->setAccessibleName(name);
            }
        }
        widget->setGeometry(pixelRect(entry.left, entry.top, entry.width, entry.height));
        built.add(widget->objectName(), widget);
        if (widget->focusPolicy() != Qt::NoFocus) {
            focusable.emplace_back(entry.tabIndex, widget);
        }
    }
    for (const LineSpec& entry : lines) {
        QWidget* container = containerOf(built, entry.container, window);
        auto* painted = container->findChild<PaintedLines*>(QString(), Qt::FindDirectChildrenOnly);
        if (!painted) {
            painted = new PaintedLines(container);
        }
        painted->add(QLine(twipsToPixels(entry.x1), twipsToPixels(entry.y1),
                           twipsToPixels(entry.x2), twipsToPixels(entry.y2)),
                     QColor(entry.red, entry.green, entry.blue));
    }

    std::stable_sort(focusable.begin(), focusable.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i + 1 < focusable.size(); ++i) {
        QWidget::setTabOrder(focusable[i].second, focusable[i + 1].second);
    }
    return built;
}

void sizeAndCentre(QWidget* window, int clientWidth, int clientHeight) {
    window->resize(twipsToPixels(clientWidth), twipsToPixels(clientHeight));
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    const QRect area = screen->availableGeometry();
    window->move(area.x() + (area.width() - window->width()) / 2,
                 area.y() + (area.height() - window->height()) / 2);
}

}  // namespace kit
