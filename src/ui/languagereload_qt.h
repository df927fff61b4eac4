// After a change of language: every open window shows its texts in the new
// language at once. The main window sets its captions as on activation; the
// other windows get a LanguageChange event and read their texts again.
#pragma once

void ReloadOpenWindowTexts();
