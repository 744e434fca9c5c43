#include "linking/link_page.h"
#include "window/main_window.h"

int main(int argc, char** argv) {
  return pagelink::RunMainWindow(argc, argv,
                                 [](pagelink::Window& window) { pagelink::LinkPage(window); });
}
