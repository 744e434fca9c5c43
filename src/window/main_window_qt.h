#pragma once

#include <QPointer>
#include <functional>

#include "window/window.h"

namespace pagelink {

class MainWindowForm;

// MainWindow on Qt: created, centred and shown by the constructor. The Qt widgets live in
// MainWindowForm; this object outlives them, so that a run still holding the window after it
// was closed gets a fatal error instead of a dangling one.
class MainWindowQt final : public Window {
 public:
  MainWindowQt();
  ~MainWindowQt() override;
  MainWindowQt(const MainWindowQt&) = delete;
  MainWindowQt& operator=(const MainWindowQt&) = delete;

  Text GetControlText(Box box) override;
  void SetControlText(Box box, const Text& text) override;
  int ShowMessage(const Text& text, int style, const std::optional<Text>& caption) override;
  void ProcessEvents() override;
  void BindClick(std::function<void()> handler) override;

  // Called once the window has been closed (close button, Alt+F4, Esc): the quit request.
  void OnClosed(std::function<void()> handler);

 private:
  QPointer<MainWindowForm> form_;
  bool closed_ = false;
  std::function<void()> on_closed_;
};

}  // namespace pagelink
