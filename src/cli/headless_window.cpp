#include "cli/headless_window.h"

#include <utility>

#include "linking/codepage.h"
#include "window/form.h"

namespace pagelink {
namespace {

std::size_t Index(Box box) { return static_cast<std::size_t>(box); }

}  // namespace

HeadlessWindow::HeadlessWindow() {
  for (std::size_t i = 0; i < kFormBoxes.size(); ++i) {
    boxes_[i] = Utf8ToGbk(kFormBoxes[i].initial_text);
  }
}

Text HeadlessWindow::GetControlText(Box box) { return boxes_[Index(box)]; }

void HeadlessWindow::SetControlText(Box box, const Text& text) { boxes_[Index(box)] = text; }

int HeadlessWindow::ShowMessage(const Text& text, int style, const std::optional<Text>& caption) {
  messages_.push_back({text, style, caption});
  return 0;  // OK: nobody is there to choose another button.
}

void HeadlessWindow::ProcessEvents() {}

void HeadlessWindow::BindClick(std::function<void()> handler) { click_ = std::move(handler); }

void HeadlessWindow::Click() {
  if (click_) click_();
}

}  // namespace pagelink
