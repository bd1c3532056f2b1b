#pragma once

class QCoreApplication;

namespace Localization {

// Loads the program's translation for the user's language (from LANG and friends), and Qt's own for its
// standard dialogs where the system has it. English needs neither.
void install(QCoreApplication* application);

} // namespace Localization
