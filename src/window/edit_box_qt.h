#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>

#include "primitives/values.h"

namespace pagelink {

// An edit box of the main window. The box keeps its content as code page 936 bytes itself and
// gives them back exactly as put in; the Qt control only shows them, decoded. What the user
// types replaces the content with the control's text, encoded again.
class EditBox {
 public:
  virtual ~EditBox() = default;

  const Text& Content() const { return content_; }
  // Any bytes and any length: the typing limit bounds only the user.
  void SetContent(const Text& text);
  virtual QWidget* Control() = 0;

 protected:
  // typing_limit: the most bytes the user can type the content up to; 0 for no limit.
  explicit EditBox(int typing_limit) : typing_limit_(typing_limit) {}

  // Takes the control's text, in code page 936, after the user changed it at the character
  // position edit_at. A change that makes the content longer than the typing limit is
  // refused: the content stays, and the control shows it again when events are next processed.
  void TakeTyping(Text typed, int edit_at);

 private:
  virtual void Show(const QString& text) = 0;
  virtual void PlaceCaret(int position) = 0;

  Text content_;
  int typing_limit_;
};

// A single-line box: scrolls sideways, ignores Enter.
class SingleLineBox final : public QLineEdit, public EditBox {
 public:
  SingleLineBox(QWidget* parent, int typing_limit);
  QWidget* Control() override { return this; }

 private:
  void Show(const QString& text) override;
  void PlaceCaret(int position) override;
};

// A multi-line box: wraps at its right edge, has no scroll bars, takes Enter as a line break.
class MultiLineBox final : public QPlainTextEdit, public EditBox {
 public:
  MultiLineBox(QWidget* parent, int typing_limit);
  QWidget* Control() override { return this; }

 private:
  void Show(const QString& text) override;
  void PlaceCaret(int position) override;
  void OnChanged();

  bool showing_ = false;
  int shown_length_ = 0;  // characters in the control, to tell where the user's change began
};

}  // namespace pagelink
