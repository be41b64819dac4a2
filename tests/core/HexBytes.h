// Test helper: byte strings written as hexadecimal, "BA BA D7 D6".
#pragma once

#include <string>
#include <string_view>

inline std::string HexBytes(std::string_view Hex) {
  std::string Bytes;
  int Nibbles = 0, Value = 0;
  for (char C : Hex) {
    int Digit = -1;
    if (C >= '0' && C <= '9') Digit = C - '0';
    if (C >= 'A' && C <= 'F') Digit = C - 'A' + 10;
    if (C >= 'a' && C <= 'f') Digit = C - 'a' + 10;
    if (Digit < 0) continue;
    Value = Value * 16 + Digit;
    if (++Nibbles == 2) {
      Bytes += static_cast<char>(Value);
      Nibbles = Value = 0;
    }
  }
  return Bytes;
}

inline std::string Repeated(std::string_view Piece, int Times) {
  std::string Text;
  for (int I = 0; I < Times; ++I) Text += Piece;
  return Text;
}
