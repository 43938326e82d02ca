#pragma once
// Qt's own texts (file and folder choosers, Yes/No/Cancel, "Show Details")
// in Japanese, to match the program's interface whatever the locale.

class QCoreApplication;

// FALSE when Qt's Japanese catalogue is not installed; Qt's texts then stay
// in English.
bool InstallQtTranslations(QCoreApplication& app);
