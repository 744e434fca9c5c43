#pragma once

#include <QIcon>

namespace pagelink {

// The application's icon, drawn rather than loaded so that the program needs no file beside it.
QIcon ApplicationIcon();

}  // namespace pagelink
