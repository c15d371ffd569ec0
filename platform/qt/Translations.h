#pragma once
// Qt's own texts (the standard colour and file dialogs, the buttons of its
// boxes, the context menus of edits) in Russian, like the rest of the programs.

namespace plat {

// Installs Qt's Russian translation into the running application, looked for
// beside the program ("translations/") and then where Qt keeps its own.
// Returns false when none was found: the programs then run with Qt's English.
bool LoadQtTranslations();

}  // namespace plat
