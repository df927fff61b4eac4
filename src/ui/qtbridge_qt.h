// The Qt side of the platform layer: text conversion at the Qt boundary, the
// message-box host, window icons and placement.
#pragma once

#include <QString>
#include <string>

class QWidget;

namespace kv {

// Windows-1252 byte string <-> QString.
QString Q(const std::string& cp1252);
std::string B(const QString& s);
// A file name of the system as the program holds file names: characters the
// code page lacks are kept (Cp1252PathFromUtf8), so the name reaches the file
// system unchanged.
std::string BPath(const QString& s);

// The least width of a window whose title bar is to show `title` whole.
int TitleRoomWidth(const QWidget& window, const QString& title);

// Installs the Qt message-box host (call after QApplication exists).
void InstallQtUiHost();

// The window's icon from an icon file beside the program (or in its Icons
// folder); without one, the main window's icon unless `noFallback`.
void SetFormIcon(QWidget* form, const std::string& iconName, bool noFallback);
// The program icon and the placement stored under the window's objectName.
void RestoreFormPlacement(QWidget* form);
void SaveFormPlacement(QWidget* form);
// The main window's designed icon (the fallback of SetFormIcon).
void SetMainWindowIcon(const QString& iconFile);

// Places the widget's control with that objectName; property "Index" for arrays.
QWidget* FindControl(QWidget* form, const char* name, int index = -1);

}  // namespace kv
