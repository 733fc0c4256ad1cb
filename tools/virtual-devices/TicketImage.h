#pragma once
// Pictures of printed tickets: a TSP800 page as laid out in page mode, and a
// Boca or Flotec ticket with its rotated fields. Fields are drawn in fixed
// cells (an ASCII character one cell, a Korean character two), stretched by
// their magnification, in the fixed-width Korean font NanumGothicCoding.

#include "BocaDecoder.h"
#include "PageDecoder.h"

#include <QImage>

namespace pos::virt {

// Needs a QGuiApplication (fonts).
QImage RenderPage(const TPagePrint& aPage);
// Turned so that most of its text reads from left to right.
QImage RenderBocaTicket(const TBocaTicket& aTicket);

}  // namespace pos::virt
