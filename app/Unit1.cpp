#include "Unit1.h"

#include "IMCode.h"
#include "vcl/Shell.h"

TForm1* Form1 = nullptr;

namespace {

// The output is one line: the first 255 bytes of the joined pinyin.
constexpr int OutputLimit = 255;

}  // namespace

void TForm1::Button1Click(Vcl::TObject*) {
  Memo1->Lines.SetText(IMCode::TextToPinyin(
      Memo2->Lines.Text(), IMCode::pyFullSyllable, OutputLimit));
}

// Whether the browser could be started changes nothing in the window.
void TForm1::Image1Click(Vcl::TObject*) {
  Vcl::ShellExecuteA(Handle(), "open", HomePage, nullptr, nullptr,
                     Vcl::SW_SHOW);
}
