#pragma once

#include <QByteArray>

namespace zelkor {

inline constexpr char kEnq = 0x05;
inline constexpr char kEot = 0x04;
inline constexpr char kAck = 0x06;
inline constexpr char kNak = 0x15;
inline constexpr char kEtx = 0x03;

// The sum of the character codes modulo 256, as two upper-case hexadecimal digits.
QByteArray FrameChecksum(const QByteArray& text);

// What one request frame carries.
struct FrameRequest {
  bool write = true;        // "w" with a data field; "r" without
  QByteArray deviceName;    // 8 characters, "%DW04496"
  QByteArray wordCount;     // 2 hexadecimal digits, "04"
  QByteArray data;          // hexadecimal digits, or one byte per character
  bool dataAsBytes = false; // each data byte becomes two hexadecimal digits
};

// ENQ "00" command "SB" "08" device, count, data, EOT, checksum of all before it.
QByteArray BuildFrame(const FrameRequest& request);

// "%DW0" and the word address in four digits.
QByteArray DeviceName(int wordAddress);
// A count as two upper-case hexadecimal digits.
QByteArray WordCountText(int words);

}  // namespace zelkor
