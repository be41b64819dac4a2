// Standard output of the filter: bytes are gathered and written with
// write(2) in large blocks, and every write is checked.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace Cli {

// Thrown when the reader of the output has gone away (EPIPE): the filter
// ends quietly, as a filter in a pipe to `head` should.
struct TOutputClosed {};

// Thrown for any other failed write; what() says why.
class TWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TOutputBuffer {
 public:
  explicit TOutputBuffer(int Fd, std::size_t Capacity = 256 * 1024);
  TOutputBuffer(const TOutputBuffer&) = delete;
  TOutputBuffer& operator=(const TOutputBuffer&) = delete;

  void Append(std::string_view Bytes);

  // Writes out everything gathered so far. Nothing is written on
  // destruction: a caller that wants its output flushes it.
  void Flush();

 private:
  void WriteAll(std::string_view Bytes);

  int Fd;
  std::size_t Capacity;
  std::string Buffer;
};

}  // namespace Cli
