#pragma once
// A picture of a printed document, drawn the way the printer lays it out:
// fixed columns (an ASCII character one column, a Korean character two),
// double width and height, bold, white on black, underline, the logo and the
// cut. Drawn in the fixed-width Korean font NanumGothicCoding.

#include "PrintDocument.h"

#include <QImage>
#include <QString>

namespace pos::virt {

struct TRenderOptions {
    int columns = 42;
    int cellWidth = 12;   // pixels per column
    int lineHeight = 26;  // pixels per line at normal height
    int margin = 18;
    QString fontFile = "/usr/share/fonts/truetype/nanum/NanumGothicCoding.ttf";
    QString boldFontFile = "/usr/share/fonts/truetype/nanum/NanumGothicCodingBold.ttf";
};

// Needs a QGuiApplication (fonts).
QImage RenderReceipt(const TPrintDocument& aDoc, const TRenderOptions& aOptions = {});

}  // namespace pos::virt
