#include "LinkFrame.h"

namespace zelkor {

QByteArray FrameChecksum(const QByteArray& text) {
  unsigned sum = 0;
  for (char c : text) sum += static_cast<unsigned char>(c);
  return QByteArray::number(sum % 256, 16).toUpper().rightJustified(2, '0');
}

QByteArray BuildFrame(const FrameRequest& r) {
  QByteArray frame;
  frame.append(kEnq).append("00").append(r.write ? 'w' : 'r').append("SB08");
  frame.append(r.deviceName).append(r.wordCount);
  if (r.write) frame.append(r.dataAsBytes ? r.data.toHex().toUpper() : r.data);
  frame.append(kEot);
  frame.append(FrameChecksum(frame));
  return frame;
}

QByteArray DeviceName(int wordAddress) {
  return "%DW0" + QByteArray::number(wordAddress).rightJustified(4, '0');
}

QByteArray WordCountText(int words) { return QByteArray::number(words, 16).toUpper().rightJustified(2, '0'); }

}  // namespace zelkor
