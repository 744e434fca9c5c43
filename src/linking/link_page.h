#pragma once

#include "window/window.h"

namespace pagelink {

// The run bound to the click of 按钮1: links page after page, starting from the number in
// 编辑框2, until a page's next page has no title, then shows the end message.
void LinkPage(Window& window);

}  // namespace pagelink
