#include "window/message_box_qt.h"

#include <QMessageBox>
#include <QPushButton>
#include <utility>
#include <vector>

#include "linking/codepage.h"
#include "window/form.h"

namespace pagelink {
namespace {

// MessageBoxA's type bits.
constexpr int kButtonsMask = 0x0F;
constexpr int kIconMask = 0xF0;
constexpr int kDefaultButtonMask = 0xF00;
constexpr int kDefaultButtonShift = 8;
constexpr int kSystemModal = 0x1000;

struct ButtonChoice {
  const char* label;
  int result;
};

constexpr ButtonChoice kOk{"确定", 0};
constexpr ButtonChoice kCancel{"取消", 1};
constexpr ButtonChoice kAbort{"中止", 2};
constexpr ButtonChoice kRetry{"重试", 3};
constexpr ButtonChoice kIgnore{"忽略", 4};
constexpr ButtonChoice kYes{"是", 5};
constexpr ButtonChoice kNo{"否", 6};
constexpr ButtonChoice kTryAgain{"重试", 9};
constexpr ButtonChoice kContinue{"继续", 10};

std::vector<ButtonChoice> ButtonsOf(int style) {
  switch (style & kButtonsMask) {
    case 1:
      return {kOk, kCancel};
    case 2:
      return {kAbort, kRetry, kIgnore};
    case 3:
      return {kYes, kNo, kCancel};
    case 4:
      return {kYes, kNo};
    case 5:
      return {kRetry, kCancel};
    case 6:
      return {kCancel, kTryAgain, kContinue};
    default:
      return {kOk};
  }
}

QMessageBox::Icon IconOf(int style) {
  switch (style & kIconMask) {
    case 0x10:
      return QMessageBox::Critical;
    case 0x20:
      return QMessageBox::Question;
    case 0x30:
      return QMessageBox::Warning;
    case 0x40:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

QString Decoded(const Text& text) { return QString::fromUtf8(GbkToUtf8(text)); }

// Closing the box by Esc or its close button counts as Cancel where there is one, and as OK
// where OK is the only button, as on Windows.
int RunBox(QMessageBox& box, const std::vector<ButtonChoice>& buttons, std::size_t default_index) {
  std::vector<std::pair<QPushButton*, int>> results;
  for (const ButtonChoice& choice : buttons) {
    // One role for all keeps the buttons in the order given instead of the platform's.
    QPushButton* button = box.addButton(QString::fromUtf8(choice.label), QMessageBox::AcceptRole);
    results.emplace_back(button, choice.result);
    if (choice.result == kCancel.result || buttons.size() == 1) box.setEscapeButton(button);
  }
  box.setDefaultButton(results[default_index].first);
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
  for (const auto& [button, result] : results) {
    if (box.clickedButton() == button) return result;
  }
  return kCancel.result;
}

}  // namespace

int ShowMessageBox(const Text& text, int style, const std::optional<Text>& caption) {
  const QString title = caption ? Decoded(*caption) : QString::fromUtf8(kDefaultMessageCaption);
  QMessageBox box(IconOf(style), title, Decoded(text));
  // Qt has no system-modal boxes; staying on top is the nearest it offers.
  if (style & kSystemModal) box.setWindowFlag(Qt::WindowStaysOnTopHint);
  const std::vector<ButtonChoice> buttons = ButtonsOf(style);
  const auto default_index =
      static_cast<std::size_t>((style & kDefaultButtonMask) >> kDefaultButtonShift);
  return RunBox(box, buttons, default_index < buttons.size() ? default_index : 0);
}

void ShowErrorBox(const QString& message) {
  QMessageBox box(QMessageBox::Critical, QStringLiteral("错误"), message);
  RunBox(box, {kOk}, 0);
}

}  // namespace pagelink
