// Without libFuzzer, a fuzz target replays its seed corpus, every file of the
// folders given once: a broken property aborts and the test fails.
#include <QCoreApplication>
#include <QDirIterator>

#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  int files = 0;
  for (int i = 1; i < argc; ++i) {
    for (QDirIterator it(QString::fromLocal8Bit(argv[i]), QDir::Files); it.hasNext(); ++files) {
      QFile file(it.next());
      const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
      LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size()));
    }
  }
  std::printf("%d inputs replayed\n", files);
  return files > 0 ? 0 : 1;
}
