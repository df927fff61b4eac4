// The main window's own small pictures, drawn in code: the 30 toolbar images,
// the graphic tool images, the tool cursors and the active-sign markers.
#pragma once

#include <QPixmap>
#include <QString>

// Toolbar image n (1..30) in the order of the toolbar's non-separator buttons.
QPixmap ToolbarPicture(int n);
// The picture of a toolbar key ("New", "Point", "Dot3", ...); 16 x 16.
QPixmap KeyPicture(const QString& key);
// Cursor pictures of the graphic tools: the point of pen size 0..3, the cross
// and the move pointer.
QPixmap PointCursorPicture(int penSize);
QPixmap CrossCursorPicture();
QPixmap MoveCursorPicture();
// The markers in panel 4 of a sign's status bar.
QPixmap ActiveMarkerPicture();
QPixmap InactiveMarkerPicture();
// The zoom button's picture.
QPixmap ZoomPicture();
