#include "ui/key_filter.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>

#include "model/input_numb.h"

namespace ui {
namespace {

std::int16_t keyCode(QChar c) {
    return static_cast<std::int16_t>(c.unicode());
}

bool passes(QChar c) {
    std::int16_t code = keyCode(c);
    return model::InputNumb(code) != 0;
}

// A key press that would put its text into the field, as opposed to a key that
// moves the focus, edits, or is a shortcut.
bool typesText(const QKeyEvent* key) {
    if (key->text().isEmpty()) {
        return false;
    }
    if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) {
        return false;
    }
    switch (key->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Delete:
        case Qt::Key_Escape:
            return false;
        default:
            return true;
    }
}

bool filterKeyPress(const QKeyEvent* key) {
    if (!typesText(key)) {
        return false;
    }
    const QString text = key->text();
    return !std::all_of(text.begin(), text.end(), passes);
}

// An input method commits whole strings: keep the digits and points, and hand
// the field a copy of the event without the rest.
bool filterInputMethod(QObject* watched, const QInputMethodEvent* event) {
    const QString commit = event->commitString();
    QString kept;
    for (QChar c : commit) {
        // Backspace and Enter pass the filter as keys; as committed text they
        // would be inserted as control characters.
        if (passes(c) && c.isPrint()) {
            kept.append(c);
        }
    }
    if (kept == commit) {
        return false;
    }
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(kept, event->replacementStart(), event->replacementLength());
    QCoreApplication::sendEvent(watched, &filtered);
    return true;
}

}  // namespace

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
            return filterKeyPress(static_cast<QKeyEvent*>(event));
        case QEvent::InputMethod:
            return filterInputMethod(watched, static_cast<QInputMethodEvent*>(event));
        default:
            return QObject::eventFilter(watched, event);
    }
}

}  // namespace ui
