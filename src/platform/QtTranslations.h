#pragma once

namespace platform {

// Qt's own words (the file and print dialogs, the text boxes' menu, the
// buttons of message boxes) in Italian, whatever the system's locale, since
// the program speaks Italian. Call it after the application object exists;
// whether Qt's Italian translations were found.
bool installQtTranslations();

} // namespace platform
