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

#include "window/app_icon_qt.h"
#include "window/edit_box_qt.h"
#include "window/fatal_error_qt.h"
#include "window/main_window.h"
#include "window/message_box_qt.h"

namespace pagelink {
namespace {

// The outer size, frame and title bar included.
constexpr int kOuterWidth = 774;
constexpr int kOuterHeight = 425;

struct BoxSpec {
  const char* name;
  QRect place;  // in the client area
  bool multi_line;
  int typing_limit;  // bytes; 0: none
  const char* initial_text;
  bool visible;
};

// In the order of Box, which is also the order Tab moves the focus in.
constexpr std::array<BoxSpec, 6> kBoxes{{
    {"编辑框1", QRect(168, 80, 400, 192), true, 9999, "", true},
    {"编辑框2", QRect(72, 208, 32, 48), false, 0, "2", true},
    {"编辑框3", QRect(24, 104, 120, 40), false, 0, "", true},
    {"编辑框4", QRect(24, 160, 120, 40), false, 0, "", true},
    {"编辑框5", QRect(16, 288, 152, 88), true, 999, "", false},
    {"编辑框6", QRect(184, 296, 248, 72), true, 999, "", false},
}};
constexpr QRect k按钮1Place(592, 112, 136, 112);

// A fixed frame: no maximise button, and no resizing (the size is fixed below).
constexpr Qt::WindowFlags kFrame = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                   Qt::WindowCloseButtonHint;

bool IsPlainEscape(const QKeyEvent& key) {
  return key.key() == Qt::Key_Escape &&
         !(key.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier));
}

QString NameOf(Box box) { return QString::fromUtf8(kBoxes[static_cast<std::size_t>(box)].name); }

// Where the frame's top-left corner goes for the window to sit in the middle of the primary
// screen; the division drops the fraction.
QPoint CentredFramePosition() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return {};
  const QRect area = screen->geometry();
  return area.topLeft() +
         QPoint((area.width() - kOuterWidth) / 2, (area.height() - kOuterHeight) / 2);
}

}  // namespace

// The Qt widgets of MainWindow. Deletes itself once closed.
class MainWindowForm final : public QWidget {
 public:
  explicit MainWindowForm(std::function<void()> on_closed)
      : QWidget(nullptr, kFrame), on_closed_(std::move(on_closed)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("循环SEO上下篇"));
    setWindowIcon(ApplicationIcon());
    setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    installEventFilter(this);
    for (std::size_t i = 0; i < kBoxes.size(); ++i) {
      const BoxSpec& spec = kBoxes[i];
      EditBox* box = spec.multi_line
                         ? static_cast<EditBox*>(new MultiLineBox(this, spec.typing_limit))
                         : static_cast<EditBox*>(new SingleLineBox(this, spec.typing_limit));
      QWidget* control = box->Control();
      control->setObjectName(QString::fromUtf8(spec.name));
      control->setGeometry(spec.place);
      control->installEventFilter(this);
      box->SetContent(spec.initial_text);
      control->setVisible(spec.visible);
      boxes_[i] = box;
    }
    auto* button = new QPushButton(QStringLiteral("执行"), this);
    button->setObjectName(QStringLiteral("按钮1"));
    button->setGeometry(k按钮1Place);
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
    const QSize client(kOuterWidth - frame.left() - frame.right(),
                       kOuterHeight - frame.top() - frame.bottom());
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

  std::array<EditBox*, kBoxes.size()> boxes_{};
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
