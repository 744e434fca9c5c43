#include "window/edit_box_qt.h"

#include <QPalette>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>
#include <limits>
#include <utility>

#include "linking/codepage.h"

namespace pagelink {
namespace {

QString Decoded(const Text& text) { return QString::fromUtf8(GbkToUtf8(text)); }

Text Encoded(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return Utf8ToGbk(Text(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

// Line breaks the user types follow the ones the content already has, so typing into a page
// does not change the line ends of the rest of it; CR LF when it has none yet.
QString LineEndOf(const Text& content) {
  const std::size_t at = content.find_first_of("\r\n");
  if (at == Text::npos ||
      (content[at] == '\r' && at + 1 < content.size() && content[at + 1] == '\n')) {
    return QStringLiteral("\r\n");
  }
  return content[at] == '\r' ? QStringLiteral("\r") : QStringLiteral("\n");
}

// The selection stays but is not drawn while the box has no focus.
void HideInactiveSelection(QWidget& control) {
  QPalette palette = control.palette();
  palette.setColor(QPalette::Inactive, QPalette::Highlight,
                   palette.color(QPalette::Inactive, QPalette::Base));
  palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   palette.color(QPalette::Inactive, QPalette::Text));
  control.setPalette(palette);
}

}  // namespace

void EditBox::SetContent(const Text& text) {
  content_ = text;
  Show(Decoded(content_));
}

void EditBox::TakeTyping(Text typed, int edit_at) {
  if (typing_limit_ > 0 && typed.size() > static_cast<std::size_t>(typing_limit_) &&
      typed.size() > content_.size()) {
    // The control is still inside its own edit; it is set back once that is over.
    QTimer::singleShot(0, Control(), [this, edit_at] {
      Show(Decoded(content_));
      PlaceCaret(edit_at);
    });
    return;
  }
  content_ = std::move(typed);
}

SingleLineBox::SingleLineBox(QWidget* parent, int typing_limit)
    : QLineEdit(parent), EditBox(typing_limit) {
  // The control's own limit counts characters; ours counts bytes, so the control's is lifted.
  setMaxLength(std::numeric_limits<int>::max());
  HideInactiveSelection(*this);
  // textEdited fires for the user's changes only, never for Show.
  connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
    const int grown = static_cast<int>(text.size() - Decoded(Content()).size());
    TakeTyping(Encoded(text), cursorPosition() - grown);
  });
}

void SingleLineBox::Show(const QString& text) {
  setText(text);
  setCursorPosition(0);
}

void SingleLineBox::PlaceCaret(int position) { setCursorPosition(position); }

MultiLineBox::MultiLineBox(QWidget* parent, int typing_limit)
    : QPlainTextEdit(parent), EditBox(typing_limit) {
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setTabChangesFocus(true);
  HideInactiveSelection(*this);
  connect(this, &QPlainTextEdit::textChanged, this, &MultiLineBox::OnChanged);
}

void MultiLineBox::Show(const QString& text) {
  showing_ = true;
  setPlainText(text);
  showing_ = false;
  shown_length_ = document()->characterCount();
  moveCursor(QTextCursor::Start);
}

void MultiLineBox::OnChanged() {
  if (showing_) return;
  // The raw text keeps characters such as U+00A0 that the plain text would turn into spaces;
  // its paragraph separators are the line breaks.
  QString shown = document()->toRawText();
  shown.replace(QChar::ParagraphSeparator, LineEndOf(Content()));
  const int length = document()->characterCount();
  const int edit_at = textCursor().position() - std::max(0, length - shown_length_);
  shown_length_ = length;
  TakeTyping(Encoded(shown), edit_at);
}

void MultiLineBox::PlaceCaret(int position) {
  QTextCursor caret = textCursor();
  caret.setPosition(std::clamp(position, 0, document()->characterCount() - 1));
  setTextCursor(caret);
}

}  // namespace pagelink
