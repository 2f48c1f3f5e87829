#pragma once

// A zip whose parts are stored without compression, the format's simplest
// form: workbooks made by the tests and the fuzz target.
#include <zlib.h>
#include <QByteArray>

#include <map>
#include <utility>

namespace zelkor::testing {

// Little-endian fields, each a value and its width in bytes.
inline void Put(QByteArray& out, std::initializer_list<std::pair<quint32, int>> fields) {
  for (const auto& [value, bytes] : fields)
    for (int i = 0; i < bytes; ++i) out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
}

inline QByteArray StoredZip(const std::map<QByteArray, QByteArray>& parts) {
  QByteArray zip, directory, end;
  for (const auto& [name, data] : parts) {
    const auto crc = static_cast<quint32>(
        crc32(0, reinterpret_cast<const Bytef*>(data.constData()), static_cast<uInt>(data.size())));
    const auto size = static_cast<quint32>(data.size());
    const auto length = static_cast<quint32>(name.size());
    // The central directory's entry, pointing at where the part's local header starts; then that header and the part.
    Put(directory, {{0x02014b50, 4}, {20, 2}, {20, 2}, {0, 2}, {0, 2}, {0, 4}, {crc, 4}, {size, 4}, {size, 4}});
    Put(directory, {{length, 2}, {0, 2}, {0, 2}, {0, 2}, {0, 2}, {0, 4}, {static_cast<quint32>(zip.size()), 4}});
    directory += name;
    Put(zip, {{0x04034b50, 4}, {20, 2}, {0, 2}, {0, 2}, {0, 4}, {crc, 4}, {size, 4}, {size, 4}, {length, 2}, {0, 2}});
    zip += name + data;
  }
  const auto count = static_cast<quint32>(parts.size());
  Put(end, {{0x06054b50, 4}, {0, 2}, {0, 2}, {count, 2}, {count, 2}});
  Put(end, {{static_cast<quint32>(directory.size()), 4}, {static_cast<quint32>(zip.size()), 4}, {0, 2}});
  return zip + directory + end;
}

}  // namespace zelkor::testing
