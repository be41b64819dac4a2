// mivora-pinyin: the desktop window that turns Chinese text into pinyin.
#include <cstdio>

#include "Unit1.h"
#include "vcl/Application.h"

int main(int argc, char* argv[]) {
  if (!Vcl::TApplication::DisplayAvailable()) {
    std::fputs(
        "mivora-pinyin: no display (neither DISPLAY nor WAYLAND_DISPLAY is"
        " set); convert text with the filter instead, e.g. `echo 汉字转拼音 |"
        " pinyin`, or save a picture of the window with tools/screenshot.sh\n",
        stderr);
    return 1;
  }
  Vcl::TApplication App(argc, argv);
  App.Initialize();
  App.CreateForm(Form1);
  return App.Run();
}
