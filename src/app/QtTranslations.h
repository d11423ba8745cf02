#pragma once
// Qt's own texts in Simplified Chinese: the standard buttons and Qt's open,
// save, print, page set-up and colour dialogs, to match the rest of the
// user interface whatever the system's language.

class QCoreApplication;

// Installs Qt's Simplified Chinese translations (Debian's
// qt6-translations-l10n) into the application; false, with Qt's English
// left in place, when they are not installed.
bool InstallQtTranslations(QCoreApplication& application);
