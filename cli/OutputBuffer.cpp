#include "OutputBuffer.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace Cli {

TOutputBuffer::TOutputBuffer(int Fd, std::size_t Capacity)
    : Fd(Fd), Capacity(Capacity) {
  Buffer.reserve(Capacity);
}

void TOutputBuffer::Append(std::string_view Bytes) {
  if (Buffer.size() + Bytes.size() > Capacity) {
    Flush();
    if (Bytes.size() >= Capacity) {
      WriteAll(Bytes);  // no use copying a block this large
      return;
    }
  }
  Buffer.append(Bytes);
}

void TOutputBuffer::Flush() {
  if (Buffer.empty()) return;
  WriteAll(Buffer);
  Buffer.clear();
}

void TOutputBuffer::WriteAll(std::string_view Bytes) {
  while (!Bytes.empty()) {
    const ssize_t Written = ::write(Fd, Bytes.data(), Bytes.size());
    if (Written < 0) {
      if (errno == EINTR) continue;
      if (errno == EPIPE) throw TOutputClosed{};
      throw TWriteError(std::string("write error: ") + std::strerror(errno));
    }
    Bytes.remove_prefix(static_cast<std::size_t>(Written));
  }
}

}  // namespace Cli
