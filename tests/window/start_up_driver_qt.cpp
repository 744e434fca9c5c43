// The program's start-up with a scripted user instead of LinkPage, for the tests of how the
// process ends. The first argument names the script; what the user sees of an error box goes
// to standard output as "caption|text|icon|buttons|owner".
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTextStream>
#include <QTimer>
#include <cstdio>
#include <new>
#include <string>

#include "window/main_window.h"

namespace {

QWidget* Form() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->windowTitle() == QStringLiteral("循环SEO上下篇")) return widget;
  }
  return nullptr;
}

void AnswerTheErrorBoxSoon() {
  QTimer::singleShot(0, [] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
      std::puts("no error box");
      std::_Exit(3);
    }
    QStringList buttons;
    for (QAbstractButton* button : box->buttons()) buttons << button->text();
    QTextStream(stdout) << box->windowTitle() << '|' << box->text() << '|'
                        << (box->icon() == QMessageBox::Critical ? "critical" : "other") << '|'
                        << buttons.join(',') << '|'
                        << (box->parentWidget() == nullptr ? "no owner" : "owned") << Qt::endl;
    box->buttons().constFirst()->click();
  });
}

QString Script() { return QCoreApplication::arguments().value(1); }

// Once the message loop runs: the user closes the window, or clicks 按钮1.
void StartTheUser() {
  QTimer::singleShot(0, [] {
    if (Script() == QStringLiteral("close-when-idle")) {
      Form()->close();
    } else {
      Form()->findChild<QPushButton*>(QStringLiteral("按钮1"))->click();
    }
  });
}
Q_COREAPP_STARTUP_FUNCTION(StartTheUser)

void Run(pagelink::Window& window) {
  if (Script() == QStringLiteral("close-during-run")) {
    QWidget* box = Form()->findChild<QWidget*>(QStringLiteral("编辑框1"));
    QCoreApplication::postEvent(box,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    window.ProcessEvents();
    AnswerTheErrorBoxSoon();
    window.SetControlText(pagelink::Box::编辑框1, "page");
  } else if (Script() == QStringLiteral("out-of-memory")) {
    AnswerTheErrorBoxSoon();
    // What operator new does when the allocator has nothing left.
    std::get_new_handler()();
  }
  std::puts("the run went on");
}

}  // namespace

int main(int argc, char** argv) { return pagelink::RunMainWindow(argc, argv, Run); }
