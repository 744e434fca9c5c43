#pragma once

#include <array>

// What the main window is made of, the same on every platform; each window backend builds its
// controls from this. Texts are UTF-8. Places are in pixels within the window's client area.
namespace pagelink {

struct FormPlace {
  int left;
  int top;
  int width;
  int height;
};

struct FormBox {
  const char* name;
  FormPlace place;
  bool multi_line;
  bool visible;
  // Bounds only what the user types; 0: no limit.
  int typing_limit;
  const char* initial_text;
};

struct FormButton {
  const char* name;
  FormPlace place;
  const char* caption;
};

inline constexpr char kFormCaption[] = "循环SEO上下篇";

// The outer size, frame and title bar included.
inline constexpr int kFormOuterWidth = 774;
inline constexpr int kFormOuterHeight = 425;

// In the order of Box, which is also the order Tab moves the focus in; 按钮1 comes after them.
inline constexpr std::array<FormBox, 6> kFormBoxes{{
    {"编辑框1", {168, 80, 400, 192}, true, true, 9999, ""},
    {"编辑框2", {72, 208, 32, 48}, false, true, 0, "2"},
    {"编辑框3", {24, 104, 120, 40}, false, true, 0, ""},
    {"编辑框4", {24, 160, 120, 40}, false, true, 0, ""},
    {"编辑框5", {16, 288, 152, 88}, true, false, 999, ""},
    {"编辑框6", {184, 296, 248, 72}, true, false, 999, ""},
}};

inline constexpr FormButton kForm按钮1{"按钮1", {592, 112, 136, 112}, "执行"};

// The caption of a message box shown without one.
inline constexpr char kDefaultMessageCaption[] = "信息：";

}  // namespace pagelink
