#include "vcl/FormReader.h"

#include "vcl/Button.h"
#include "vcl/Form.h"
#include "vcl/Image.h"
#include "vcl/Memo.h"
#include "vcl/Panel.h"
#include "vcl/SkinData.h"

namespace Vcl {

TFormReader::TFormReader(TForm& Form) : QUiLoader(&Form), FForm(Form) {
  setTranslationEnabled(false);
}

QWidget* TFormReader::createWidget(const QString& ClassName, QWidget* Parent,
                                   const QString& Name) {
  QWidget* Created = nullptr;
  if (!Parent && !FFormTaken) {
    FFormTaken = true;
    Created = &FForm;
  } else if (ClassName == QLatin1String("TMemo")) {
    Created = new TMemo(Parent);
  } else if (ClassName == QLatin1String("TButton")) {
    Created = new TButton(Parent);
  } else if (ClassName == QLatin1String("TPanel")) {
    Created = new TPanel(Parent);
  } else if (ClassName == QLatin1String("TImage")) {
    Created = new TImage(Parent);
  } else if (ClassName == QLatin1String("TSkinData")) {
    Created = new TSkinData(Parent);
  } else {
    return QUiLoader::createWidget(ClassName, Parent, Name);
  }
  Created->setObjectName(Name);
  return Created;
}

}  // namespace Vcl
