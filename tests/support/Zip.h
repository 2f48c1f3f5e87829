#pragma once

// A zip whose parts are stored without compression, the format's simplest
// form: workbooks made by the tests and the fuzz target.
#include <zlib.h>
#include <QByteArray>

#include <map>

namespace zelkor::testing {

inline void Put(QByteArray& out, quint32 value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

inline QByteArray StoredZip(const std::map<QByteArray, QByteArray>& parts) {
  QByteArray zip, directory;
  for (const auto& [name, data] : parts) {
    const auto crc = static_cast<quint32>(
        crc32(0, reinterpret_cast<const Bytef*>(data.constData()), static_cast<uInt>(data.size())));
    const auto offset = static_cast<quint32>(zip.size());
    const auto size = static_cast<quint32>(data.size());
    Put(zip, 0x04034b50, 4), Put(zip, 20, 2), Put(zip, 0, 2), Put(zip, 0, 2), Put(zip, 0, 4);
    Put(zip, crc, 4), Put(zip, size, 4), Put(zip, size, 4), Put(zip, static_cast<quint32>(name.size()), 2);
    Put(zip, 0, 2);
    zip += name + data;
    Put(directory, 0x02014b50, 4), Put(directory, 20, 2), Put(directory, 20, 2), Put(directory, 0, 2);
    Put(directory, 0, 2), Put(directory, 0, 4), Put(directory, crc, 4), Put(directory, size, 4);
    Put(directory, size, 4), Put(directory, static_cast<quint32>(name.size()), 2);
    for (int i = 0; i < 4; ++i) Put(directory, 0, 2);
    Put(directory, 0, 4), Put(directory, offset, 4);
    directory += name;
  }
  const auto count = static_cast<quint32>(parts.size());
  const auto start = static_cast<quint32>(zip.size());
  zip += directory;
  Put(zip, 0x06054b50, 4), Put(zip, 0, 2), Put(zip, 0, 2), Put(zip, count, 2), Put(zip, count, 2);
  Put(zip, static_cast<quint32>(directory.size()), 4), Put(zip, start, 4), Put(zip, 0, 2);
  return zip;
}

}  // namespace zelkor::testing
