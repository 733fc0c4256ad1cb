#pragma once
// The touch button of every screen: a bevelled face, one caption out of
// several, an optional number badge and picture, toggle groups, and the
// ability to type a key or a code into another field. It never takes the
// focus, so the field the cashier is typing into keeps it while the button
// types for them.

#include "controls/ZoColor.h"

#include <QPointer>
#include <QPixmap>
#include <QStringList>
#include <QWidget>

#include <array>

namespace pos {

struct TZoPosButtonColor {
    // In the order the colours are set by index 0..7.
    enum Index { Face, Border, Highlight, Shadow, FaceDown, BorderDown, HighlightDown, ShadowDown };
    std::array<TColor, 8> colors{0x00D8FF, 0x000F6F, clWhite, 0x00A8F0, 0x00D8FF, 0x000F6F, 0x00A8F0, clWhite};
};

struct TZoPosButtonNumber {
    int number = 0;  // shown when above 0
    int left = 7;
    int top = 5;
    int pointSize = 8;
    TColor color = 0x008000;
    TColor colorShadow = clWhite;
    bool shadow = true;
};

struct TZoPosButtonCaption {
    QStringList captions;
    QStringList codes;  // parallel to the captions; may be shorter
    int key = 0;        // virtual-key code typed by a touch, 0: none
    int pointSize = 9;
    bool bold = false;
    TColor color = clBlack;
    TColor colorShadow = clWhite;
    bool shadow = true;
    int index = 0;
};

struct TZoPosButtonImage {
    QString library;  // image library name; empty: the picture names are files
    QString enableImage;
    QString disableImage;
};

class TZoPosButton : public QWidget {
    Q_OBJECT
public:
    explicit TZoPosButton(QWidget* aParent = nullptr);

    // Field that receives the code of the current caption.
    void SetAssociate(QWidget* aField) { associate_ = aField; }
    QWidget* Associate() const { return associate_; }

    const TZoPosButtonColor& Colors() const { return color_; }
    void SetColor(int aIndex, TColor aColor);
    void SetColors(const TZoPosButtonColor& aColors);

    const TZoPosButtonNumber& Number() const { return number_; }
    void SetNumber(int aNumber);
    void SetNumberStyle(const TZoPosButtonNumber& aNumber);

    // Captions may hold "\r" or "\n" line breaks.
    const TZoPosButtonCaption& Caption() const { return caption_; }
    void SetCaption(const QString& aCaption);  // one caption, no code
    void Add(const QString& aCaption, const QString& aCode);
    void Clear();                              // captions and codes, index back to 0
    void SetCaptionIndex(int aIndex);          // only to an existing caption
    void SetKey(int aVirtualKey);
    void SetCaptionStyle(int aPointSize, bool aBold, TColor aColor, TColor aColorShadow, bool aShadow);
    QString CurrentCaption() const;
    QString CurrentCode() const;

    const TZoPosButtonImage& Image() const { return image_; }
    void SetImage(const QString& aLibrary, const QString& aEnableImage, const QString& aDisableImage);
    void SetLayoutTop(bool aTop);

    bool Down() const { return down_; }
    void SetDown(bool aDown);
    bool AllowAllUp() const { return allowAllUp_; }
    void SetAllowAllUp(bool aAllow);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int aGroup);
    void SetBeep(int aBeep) { beep_ = aBeep; }
    void SetDontKeyPress(bool aDont) { dontKeyPress_ = aDont; }

    // A click as a touch does it: the click event, then the key or code.
    void Click();
    // A click triggered from the keyboard (a shortcut key of the screen): the
    // click event only, nothing is typed.
    void KeyClick();

    // Room the picture takes (0 without one).
    int ImgHeight() const { return imgHeight_; }

signals:
    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* aEvent) override;
    void mousePressEvent(QMouseEvent* aEvent) override;
    void mouseReleaseEvent(QMouseEvent* aEvent) override;
    void mouseDoubleClickEvent(QMouseEvent* aEvent) override;
    void changeEvent(QEvent* aEvent) override;

private:
    void runClick(bool aFromKeyboard);
    QPixmap picture() const;

    QPointer<QWidget> associate_;
    TZoPosButtonColor color_;
    TZoPosButtonNumber number_;
    TZoPosButtonCaption caption_;
    TZoPosButtonImage image_;
    bool down_ = false;
    bool allowAllUp_ = false;
    int groupIndex_ = 0;
    int beep_ = 4;
    bool dontKeyPress_ = false;
    bool layoutTop_ = true;
    bool mouseHeld_ = false;
    bool swallowRelease_ = false;
    mutable int imgHeight_ = 0;
};

// A picture by name: from the image library when aLibrary is set (a Qt
// resource ":/<library>/<name>.png"), else from the file aName. The colour of
// the top-left pixel is transparent. Null when there is no such picture.
QPixmap ZoLoadPicture(const QString& aLibrary, const QString& aName);

// A caption as drawn: "\r" (and "\r\n") break the line.
QString ZoCaptionText(QString aText);

}  // namespace pos
