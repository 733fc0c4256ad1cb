#include "controls/ZoPosButton.h"

#include "controls/ZoButtonRules.h"
#include "controls/ZoKeys.h"

#include <QApplication>
#include <QBitmap>
#include <QHash>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QVariant>

namespace pos {

QString ZoCaptionText(QString aText)
{
    aText.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    aText.replace(QChar('\r'), QChar('\n'));
    return aText;
}

QPixmap ZoLoadPicture(const QString& aLibrary, const QString& aName)
{
    if (aName.isEmpty()) return {};
    const QString path = aLibrary.isEmpty() ? aName : QStringLiteral(":/%1/%2.png").arg(aLibrary, aName);
    // Pictures are few and small; each is prepared once.
    static QHash<QString, QPixmap> cache;
    const auto it = cache.constFind(path);
    if (it != cache.constEnd()) return *it;
    QPixmap pixmap(path);
    if (!pixmap.isNull()) {
        const QImage image = pixmap.toImage();
        pixmap.setMask(QBitmap::fromImage(image.createMaskFromColor(image.pixel(0, 0), Qt::MaskInColor)));
    }
    cache.insert(path, pixmap);
    return pixmap;
}

TZoPosButton::TZoPosButton(QWidget* aParent) : QWidget(aParent)
{
    setFocusPolicy(Qt::NoFocus);
    resize(60, 55);
}

void TZoPosButton::SetColor(int aIndex, TColor aColor)
{
    if (aIndex < 0 || aIndex >= static_cast<int>(color_.colors.size())) return;
    auto& slot = color_.colors[static_cast<std::size_t>(aIndex)];
    if (slot == aColor) return;
    slot = aColor;
    update();
}

void TZoPosButton::SetColors(const TZoPosButtonColor& aColors)
{
    color_ = aColors;
    update();
}

void TZoPosButton::SetNumber(int aNumber)
{
    if (number_.number == aNumber) return;
    number_.number = aNumber;
    update();
}

void TZoPosButton::SetNumberStyle(const TZoPosButtonNumber& aNumber)
{
    number_ = aNumber;
    update();
}

void TZoPosButton::SetCaption(const QString& aCaption)
{
    caption_.captions = QStringList{aCaption};
    caption_.codes.clear();
    caption_.index = 0;
    update();
}

void TZoPosButton::Add(const QString& aCaption, const QString& aCode)
{
    caption_.captions.append(aCaption);
    caption_.codes.append(aCode);
    update();
}

void TZoPosButton::Clear()
{
    caption_.captions.clear();
    caption_.codes.clear();
    caption_.index = 0;
    update();
}

void TZoPosButton::SetCaptionIndex(int aIndex)
{
    if (aIndex < 0 || aIndex >= caption_.captions.size() || aIndex == caption_.index) return;
    caption_.index = aIndex;
    update();
}

void TZoPosButton::SetKey(int aVirtualKey) { caption_.key = aVirtualKey; }

void TZoPosButton::SetCaptionStyle(int aPointSize, bool aBold, TColor aColor, TColor aColorShadow, bool aShadow)
{
    caption_.pointSize = aPointSize;
    caption_.bold = aBold;
    caption_.color = aColor;
    caption_.colorShadow = aColorShadow;
    caption_.shadow = aShadow;
    update();
}

QString TZoPosButton::CurrentCaption() const { return caption_.captions.value(caption_.index); }

QString TZoPosButton::CurrentCode() const { return caption_.codes.value(caption_.index); }

void TZoPosButton::SetImage(const QString& aLibrary, const QString& aEnableImage, const QString& aDisableImage)
{
    image_ = {aLibrary, aEnableImage, aDisableImage};
    update();
}

void TZoPosButton::SetLayoutTop(bool aTop)
{
    if (layoutTop_ == aTop) return;
    layoutTop_ = aTop;
    update();
}

void TZoPosButton::SetDown(bool aDown)
{
    QList<TZoPosButton*> siblings;
    if (parentWidget() != nullptr)
        siblings = parentWidget()->findChildren<TZoPosButton*>(Qt::FindDirectChildrenOnly);
    if (!siblings.contains(this)) siblings = {this};

    std::vector<TToggleState> states;
    std::size_t self = 0;
    for (qsizetype i = 0; i < siblings.size(); ++i) {
        const TZoPosButton* b = siblings[i];
        if (b == this) self = static_cast<std::size_t>(i);
        states.push_back({b->groupIndex_, b->down_, b->allowAllUp_});
    }
    SetToggleDown(states, self, aDown);
    for (qsizetype i = 0; i < siblings.size(); ++i) {
        TZoPosButton* b = siblings[i];
        const TToggleState& s = states[static_cast<std::size_t>(i)];
        b->allowAllUp_ = s.allowAllUp;
        if (b->down_ != s.down) {
            b->down_ = s.down;
            b->update();
        }
    }
}

void TZoPosButton::SetAllowAllUp(bool aAllow) { allowAllUp_ = aAllow; }

void TZoPosButton::SetGroupIndex(int aGroup)
{
    if (groupIndex_ == aGroup) return;
    groupIndex_ = aGroup;
    update();
}

void TZoPosButton::Click() { runClick(false); }

void TZoPosButton::KeyClick() { runClick(true); }

void TZoPosButton::runClick(bool aFromKeyboard)
{
    TButtonClickInput in;
    in.enabled = isEnabled();
    in.down = down_;
    in.allowAllUp = allowAllUp_;
    in.hasCodes = !caption_.codes.isEmpty();
    in.key = caption_.key;
    in.fromKeyboard = aFromKeyboard;
    in.dontKeyPress = dontKeyPress_;
    in.hasAssociate = !associate_.isNull();
    in.code = CurrentCode().toStdString();

    const TButtonClickEffect effect = ResolveButtonClick(in);
    if (effect == TButtonClickEffect::None) return;

    // The click handler may close the screen and with it this button.
    QPointer<TZoPosButton> self(this);
    emit clicked();
    if (self.isNull()) return;

    if (effect == TButtonClickEffect::EventAndKey) {
        TypeVirtualKey(caption_.key);
    } else if (effect == TButtonClickEffect::EventAndCode) {
        QWidget* field = associate_;
        const QString code = CurrentCode();
        if (auto* edit = qobject_cast<QLineEdit*>(field))
            edit->setText(code);
        else
            field->setProperty("text", code);
        QWidget* focused = QApplication::focusWidget();
        TypeVirtualKey(VK_RETURN, focused != nullptr ? focused : field);
    }
}

void TZoPosButton::mousePressEvent(QMouseEvent* aEvent)
{
    if (aEvent->button() != Qt::LeftButton || !isEnabled()) return;
    mouseHeld_ = true;
    if (beep_ > 0) QApplication::beep();
    update();
}

void TZoPosButton::mouseReleaseEvent(QMouseEvent* aEvent)
{
    if (aEvent->button() != Qt::LeftButton || !mouseHeld_) return;
    mouseHeld_ = false;
    update();
    if (swallowRelease_) {
        swallowRelease_ = false;
        return;
    }
    if (!rect().contains(aEvent->position().toPoint()) || !isEnabled()) return;
    if (groupIndex_ > 0) SetDown(ToggleOnRelease({groupIndex_, down_, allowAllUp_}));
    Click();
}

void TZoPosButton::mouseDoubleClickEvent(QMouseEvent* aEvent)
{
    if (aEvent->button() != Qt::LeftButton || !isEnabled()) return;
    if (down_) {
        mouseHeld_ = true;
        swallowRelease_ = true;
        emit doubleClicked();
        return;
    }
    mousePressEvent(aEvent);
}

void TZoPosButton::changeEvent(QEvent* aEvent)
{
    if (aEvent->type() == QEvent::EnabledChange) {
        mouseHeld_ = false;
        update();
    }
    QWidget::changeEvent(aEvent);
}

QPixmap TZoPosButton::picture() const
{
    const QString& name = isEnabled() ? image_.enableImage : image_.disableImage;
    return ZoLoadPicture(image_.library, name);
}

void TZoPosButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const bool pressed = down_ || mouseHeld_;
    const auto& c = color_.colors;
    const TColor face = pressed ? c[TZoPosButtonColor::FaceDown] : c[TZoPosButtonColor::Face];
    const TColor border = pressed ? c[TZoPosButtonColor::BorderDown] : c[TZoPosButtonColor::Border];
    const TColor light = pressed ? c[TZoPosButtonColor::HighlightDown] : c[TZoPosButtonColor::Highlight];
    const TColor dark = pressed ? c[TZoPosButtonColor::ShadowDown] : c[TZoPosButtonColor::Shadow];
    const int w = width();
    const int h = height();

    p.fillRect(rect(), ZoColor(face));
    p.fillRect(1, 1, w - 2, 2, ZoColor(light));
    p.fillRect(1, 1, 2, h - 2, ZoColor(light));
    p.fillRect(1, h - 3, w - 2, 2, ZoColor(dark));
    p.fillRect(w - 3, 1, 2, h - 2, ZoColor(dark));
    p.setPen(ZoColor(border));
    p.drawRect(0, 0, w - 1, h - 1);

    const int shift = pressed ? 2 : 0;
    const QString text = ZoCaptionText(CurrentCaption());
    const bool hasText = !text.trimmed().isEmpty();
    const QFont font = ZoFont(caption_.pointSize, caption_.bold);
    p.setFont(font);
    const QFontMetrics fm(font);
    QRect box(3, 3, w - 6, h - 6);
    if (number_.number > 0) box.setTop(13);

    const QPixmap pic = picture();
    imgHeight_ = 0;
    if (!pic.isNull()) {
        int x = 0;
        int y = 0;
        if (layoutTop_) {
            imgHeight_ = pic.height();
            x = (w - pic.width()) / 2;
            y = (h - pic.height()) / 2 - (hasText ? 7 : 0);
            if (hasText) box.setTop(h - 3 - 18);
        } else {
            imgHeight_ = pic.width();
            const int textWidth = hasText ? fm.boundingRect(box, Qt::AlignCenter | Qt::TextWordWrap, text).width() : 0;
            const int pair = pic.width() + (hasText ? 5 + textWidth : 0);
            x = (w - pair) / 2;
            y = (h - pic.height()) / 2;
            if (hasText) box.setLeft(std::max(0, x) + pic.width() + 5);
        }
        p.drawPixmap(std::max(0, x) + shift, std::max(0, y) + shift, pic);
    }

    if (number_.number > 0) {
        const QFont nf = ZoFont(number_.pointSize);
        p.setFont(nf);
        const QString n = QString::number(number_.number);
        const QPoint at(number_.left + shift, number_.top + shift + QFontMetrics(nf).ascent());
        if (number_.shadow || !isEnabled()) {
            p.setPen(isEnabled() ? ZoColor(number_.colorShadow) : ZoColor(clBtnHighlight));
            p.drawText(at + QPoint(1, 1), n);
        }
        p.setPen(isEnabled() ? ZoColor(number_.color) : ZoColor(clBtnShadow));
        p.drawText(at, n);
        p.setFont(font);
    }

    if (hasText) {
        const QRect shadowBox = box.translated(shift, shift);
        const int flags = Qt::AlignCenter | Qt::TextWordWrap;
        if (caption_.shadow || !isEnabled()) {
            p.setPen(isEnabled() ? ZoColor(caption_.colorShadow) : ZoColor(clBtnHighlight));
            p.drawText(shadowBox, flags, text);
        }
        p.setPen(isEnabled() ? ZoColor(caption_.color) : ZoColor(clBtnShadow));
        p.drawText(caption_.shadow ? shadowBox.translated(-1, -1) : shadowBox, flags, text);
    }
}

}  // namespace pos
