#pragma once

#include <QHash>
#include <QString>
#include <QWidget>
#include <span>

#include "model/layout_table.h"

namespace kit {

// Stops the program: the layout has no such control (a programming error).
[[noreturn]] void missingControl(const char* name, int index);

// The widgets made from a layout table, found by their names: "Text1" or, for an
// element of a control array, "T_Main(0)".
class BuiltLayout {
  public:
    void add(const QString& key, QWidget* widget) { widgets_.insert(key, widget); }

    QWidget* find(const char* name, int index = -1) const;

    // The widget of that name as its kind. A name the table lacks, or a widget of
    // another kind, is a programming error: the program stops with a message
    // naming it, in every build, rather than go on with a null pointer.
    template <typename T>
    T* get(const char* name, int index = -1) const {
        auto* widget = qobject_cast<T*>(find(name, index));
        if (!widget) {
            missingControl(name, index);
        }
        return widget;
    }

  private:
    QHash<QString, QWidget*> widgets_;
};

QString controlKey(const char* name, int index);

// Creates every control of the table on `window` at its place (twips turned into
// pixels), with its caption or start text, and chains the controls that take the
// focus in the order of their tab indexes, wrapping round from the last to the
// first. Controls are created in table order, so a later one lies on top.
BuiltLayout buildLayout(QWidget* window, std::span<const model::ControlSpec> controls,
                        std::span<const model::LineSpec> lines = {});

// Gives a window its client size in twips and places it at the centre of the
// screen. Computed here rather than left to a window manager, which may not exist.
void sizeAndCentre(QWidget* window, int clientWidth, int clientHeight);

}  // namespace kit
