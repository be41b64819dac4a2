#include "vcl/Shell.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>
#include <string_view>

#include "GBKEncoding.h"

namespace Vcl {
namespace {

constexpr std::intptr_t ShellDone = 42;
constexpr std::intptr_t ShellNoHandler = 31;

}  // namespace

std::intptr_t ShellExecuteA(WId, const char* Operation, const char* File,
                            const char*, const char*, int) {
  if (!Operation || !File || std::string_view(Operation) != "open")
    return ShellNoHandler;
  const QString Target = QString::fromStdString(IMCode::GbkToUtf8(File));
  const bool Taken = QDesktopServices::openUrl(QUrl::fromUserInput(Target));
  return Taken ? ShellDone : ShellNoHandler;
}

}  // namespace Vcl
