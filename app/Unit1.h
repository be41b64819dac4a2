// Unit Unit1: the program's one window, TForm1. Its layout and the settings
// of its controls are the stored description TFORM1 (Unit1.ui); the class
// adds the components that description creates and the two click handlers
// it attaches.
#pragma once

#include "vcl/Button.h"
#include "vcl/Form.h"
#include "vcl/Image.h"
#include "vcl/Memo.h"
#include "vcl/Panel.h"
#include "vcl/SkinData.h"
#include "vcl/Types.h"

class TForm1 : public Vcl::TForm {
  Q_OBJECT
  Q_PROPERTY(Vcl::TButton* Button1 MEMBER Button1)
  Q_PROPERTY(Vcl::TSkinData* SkinData1 MEMBER SkinData1)
  Q_PROPERTY(Vcl::TMemo* Memo1 MEMBER Memo1)
  Q_PROPERTY(Vcl::TMemo* Memo2 MEMBER Memo2)
  Q_PROPERTY(Vcl::TPanel* Panel1 MEMBER Panel1)
  Q_PROPERTY(Vcl::TImage* Image1 MEMBER Image1)

 public:
  using Vcl::TForm::TForm;

  Vcl::TButton* Button1 = nullptr;      // converts the input
  Vcl::TSkinData* SkinData1 = nullptr;  // the window's skin
  Vcl::TMemo* Memo1 = nullptr;          // output: the pinyin text
  Vcl::TMemo* Memo2 = nullptr;          // input: the Chinese text
  Vcl::TPanel* Panel1 = nullptr;        // holds Memo1 and Button1
  Vcl::TImage* Image1 = nullptr;        // the banner

 public Q_SLOTS:
  // Replaces the output with the pinyin of the whole input.
  void Button1Click(Vcl::TObject* Sender);
  // Opens the home page in the web browser.
  void Image1Click(Vcl::TObject* Sender);
};

extern TForm1* Form1;

// The page the banner opens.
inline constexpr const char* HomePage = "http://www.mivora.example/";
