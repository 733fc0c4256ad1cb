#pragma once
// The screens' pictures, looked up by the names the screens use ("MsgImg",
// "ErrImg", "AskImg", "ExitBtn", "ArrowUpBtn", ...). They are our own drawings,
// bundled as a Qt resource under the library name "POSImg".

#include <QPixmap>
#include <QString>
#include <QStringList>

namespace pos {

// Library name to hand to a button's picture (TZoPosButton::SetImage).
QString ImageLibraryName();

// Makes the bundled pictures available; safe to call more than once. Every
// screen calls it, and the program at start-up.
void InitImageLibrary();

// Names of the pictures in the library.
QStringList ImageNames();

// The picture as drawn (backgrounds); null when there is no such picture.
QPixmap ImagePicture(const QString& aName);

// The picture with the colour of its top-left pixel transparent (buttons,
// footer signs), as buttons draw it.
QPixmap ImageMaskedPicture(const QString& aName);

}  // namespace pos
