#pragma once

class QCoreApplication;

namespace kit {

// Makes the toolkit's own texts (the buttons of a message box, the fields'
// context menu, ...) Chinese like the rest of the interface, whatever the
// locale. The translation is compiled into the program, so neither a missing
// package nor another platform loses it. Returns false if it could not be loaded.
bool installQtChineseTexts(QCoreApplication& app);

}  // namespace kit
