#include "window/main_window_qt.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <array>
#include <new>
#include <utility>

#include "linking/codepage.h"
#include "window/app_icon_qt.h"
#include "window/edit_box_qt.h"
#include "window/fatal_error_qt.h"
#include "window/form.h"
#include "window/main_window.h"
#include "window/message_box_qt.h"

namespace pagelink {
namespace {

// A fixed frame: no maximise button, and no resizing (the size is fixed below).
constexpr Qt::WindowFlags kFrame = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                   Qt::WindowCloseButtonHint;

bool IsPlainEscape(const QKeyEvent& key) {
  return key.key() == Qt::Key_Escape &&
         !(key.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier));
}

QString NameOf(Box box) {
  return QString::fromUtf8(kFormBoxes[static_cast<std::size_t>(box)].name);
}

QRect RectOf(const FormPlace& place) {
  return QRect(place.left, place.top, place.width, place.height);
}

// Where the frame's top-left corner goes for the window to sit in the middle of the primary
// screen; the division drops the fraction.
QPoint CentredFramePosition() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return {};
  const QRect area = screen->geometry();
  return area.topLeft() +
         QPoint((area.width() - kFormOuterWidth) / 2, (area.height() - kFormOuterHeight) / 2);
}

}  // namespace

// The Qt widgets of MainWindow. Deletes itself once closed.
class MainWindowForm final : public QWidget {
 public:
  explicit MainWindowForm(std::function<void()> on_closed)
      : QWidget(nullptr, kFrame), on_closed_(std::move(on_closed)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QString::fromUtf8(kFormCaption));
    setWindowIcon(ApplicationIcon());
    setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    installEventFilter(this);
    for (std::size_t i = 0; i < kFormBoxes.size(); ++i) {
      const FormBox& form_box = kFormBoxes[i];
      EditBox* box = form_box.multi_line
                         ? static_cast<EditBox*>(new MultiLineBox(this, form_box.typing_limit))
                         : static_cast<EditBox*>(new SingleLineBox(this, form_box.typing_limit));
      QWidget* control = box->Control();
      control->setObjectName(QString::fromUtf8(form_box.name));
      control->setGeometry(RectOf(form_box.place));
      control->installEventFilter(this);
      box->SetContent(Utf8ToGbk(form_box.initial_text));
      control->setVisible(form_box.visible);
      boxes_[i] = box;
    }
    auto* button = new QPushButton(QString::fromUtf8(kForm按钮1.caption), this);
    button->setObjectName(QString::fromUtf8(kForm按钮1.name));
    button->setGeometry(RectOf(kForm按钮1.place));
    button->setAutoDefault(false);
    button->setDefault(false);
    button->installEventFilter(this);
    connect(button, &QPushButton::clicked, this, &MainWindowForm::OnClick);
  }

  EditBox& BoxAt(Box box) { return *boxes_[static_cast<std::size_t>(box)]; }

  void SetClickHandler(std::function<void()> handler) { click_handler_ = std::move(handler); }

  // The frame is known only once the native window exists, on some window systems only once
  // it is shown; the client size is set so that frame and client make the outer size.
  void ShowCentred() {
    const QPoint frame_position = CentredFramePosition();
    create();
    FitOuterSize(frame_position);
    show();
    FitOuterSize(frame_position);
    activateWindow();
  }

 protected:
  // Esc closes the window from any control, before the control sees the key.
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress && IsPlainEscape(*static_cast<QKeyEvent*>(event))) {
      close();
      return true;
    }
    return QWidget::eventFilter(watched, event);
  }

  void closeEvent(QCloseEvent* event) override {
    event->accept();
    on_closed_();
  }

 private:
  void FitOuterSize(QPoint frame_position) {
    const QMargins frame = windowHandle()->frameMargins();
    const QSize client(kFormOuterWidth - frame.left() - frame.right(),
                       kFormOuterHeight - frame.top() - frame.bottom());
    if (minimumSize() != client || maximumSize() != client) setFixedSize(client);
    if (pos() != frame_position) move(frame_position);
  }

  void OnClick() {
    // A copy: the handler may run nested inside itself and may rebind.
    const std::function<void()> handler = click_handler_;
    if (!handler) return;
    // Qt reports its own failed allocations by throwing; ours go to the new handler.
    try {
      handler();
    } catch (const std::bad_alloc&) {
      EndWithFatalError(QStringLiteral("内存不足，无法继续。"));
    }
  }

  std::array<EditBox*, kFormBoxes.size()> boxes_{};
  std::function<void()> click_handler_;
  std::function<void()> on_closed_;
};

MainWindowQt::MainWindowQt()
    : form_(new MainWindowForm([this] {
        closed_ = true;
        if (on_closed_) on_closed_();
      })) {
  form_->ShowCentred();
}

MainWindowQt::~MainWindowQt() { delete form_; }

Text MainWindowQt::GetControlText(Box box) {
  if (closed_) EndWithFatalError(QStringLiteral("窗口已关闭，无法继续：") + NameOf(box));
  return form_->BoxAt(box).Content();
}

void MainWindowQt::SetControlText(Box box, const Text& text) {
  if (closed_) EndWithFatalError(QStringLiteral("窗口已关闭，无法继续：") + NameOf(box));
  form_->BoxAt(box).SetContent(text);
}

int MainWindowQt::ShowMessage(const Text& text, int style, const std::optional<Text>& caption) {
  return ShowMessageBox(text, style, caption);
}

void MainWindowQt::ProcessEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void MainWindowQt::BindClick(std::function<void()> handler) {
  if (form_) form_->SetClickHandler(std::move(handler));
}

void MainWindowQt::OnClosed(std::function<void()> handler) { on_closed_ = std::move(handler); }

std::unique_ptr<Window> MakeMainWindow() { return std::make_unique<MainWindowQt>(); }

}  // namespace pagelink
