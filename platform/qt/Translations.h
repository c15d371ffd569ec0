#pragma once
// Qt's own texts (the standard colour and file dialogs, the buttons of its
// boxes, the context menus of edits) in Russian, like the rest of the programs.

namespace plat {

// Installs Qt's Russian translation (qtbase_ru, from where Qt keeps its
// translations) into the running application. Returns false when it is not
// installed: the programs then run with Qt's English.
bool LoadQtTranslations();

}  // namespace plat
