#include "Recovery.h"

#include "EditorLifecycle.h"
#include "History.h"
#include "ListEditing.h"
#include "formats/ParameterFile.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QSaveFile>
#include <QUuid>

#include <algorithm>

namespace zelkor {

namespace {

// Only this program reads the copy: JSON in UTF-8 holds any character a row
// may carry (a tab a file brought, say) with no column or line rule of its
// own, and a copy cut short does not parse.
const QString kKind = QStringLiteral("Zelkor Editor recovery copy");
constexpr int kVersion = 2;
constexpr qint64 kMaxCopyBytes = qint64{16} * 1024 * 1024;
const QString kPattern = QStringLiteral("recovery-%1.json");

std::unique_ptr<QLockFile> TryLock(const QString& copyPath) {
  auto lock = std::make_unique<QLockFile>(copyPath + QStringLiteral(".lock"));
  lock->setStaleLockTime(0);  // stale only when its editor is gone, however old
  return lock->tryLock(0) ? std::move(lock) : nullptr;
}

// What the question calls the lists: their file, or where they came from.
QString SourceOf(const ListsSource& source) {
  if (source.kind == ListsSource::Kind::File) return QDir::toNativeSeparators(source.file);
  return source.kind == ListsSource::Kind::None ? QStringLiteral("listas sem arquivo") : SheetSource(source);
}

// A source's kind in a copy, in the order of ListsSource::Kind.
const QStringList kSourceKinds{QStringLiteral("none"), QStringLiteral("file"), QStringLiteral("plc"),
                               QStringLiteral("sheet")};

// Copies of the first version named where the lists came from by the window's title.
ListsSource SourceFromTitle(const QString& title, const QString& file) {
  if (!file.isEmpty()) return ListsSource::File(file);
  const QString from = title.section(QStringLiteral(" - "), 1);
  const QString importada = QStringLiteral(" (importada)");
  if (from.endsWith(importada)) return ListsSource::ImportedSheet(from.chopped(importada.size()));
  const QString plc = QStringLiteral("CLP (Porta # ");
  if (from.startsWith(plc)) return ListsSource::Plc(from.mid(plc.size(), 2).toInt());
  return {};
}

// A step like an import: undoing it gives the empty editor back.
void Restore(Editor& s, const ListsSnapshot& lists) {
  RecordStep(
      s,
      [&] {
        ReplaceLists(s, lists.lists);
        s.lists.variables = lists.lists.variables;  // with their order keys
        UpdateReservedMemory(s);
        s.source = lists.source;
        s.lastOpenedPath = lists.lastOpenedPath;
        s.files.save.enabled = lists.saveEnabled;
        s.listsChanged = true;
      },
      [] { return QStringLiteral("recuperar as listas não salvas"); });
}

}  // namespace

QByteArray FormatRecoveryCopy(const RecoveryCopy& copy) {
  const ListsSnapshot& l = copy.lists;
  QJsonArray variables;
  for (const VariableRow& v : l.lists.variables) {
    variables.append(QJsonArray{v.grupo, v.texto, v.unidade, v.endereco, EditableText(v.editable), v.orderKey});
  }
  return QJsonDocument(QJsonObject{{QStringLiteral("kind"), kKind},
                                   {QStringLiteral("version"), kVersion},
                                   {QStringLiteral("written"), copy.written.toUTC().toString(Qt::ISODate)},
                                   {QStringLiteral("source"), kSourceKinds[static_cast<int>(l.source.kind)]},
                                   {QStringLiteral("file"), l.source.file},
                                   {QStringLiteral("port"), l.source.port},
                                   {QStringLiteral("opened"), l.lastOpenedPath},
                                   {QStringLiteral("save"), l.saveEnabled},
                                   {QStringLiteral("variables"), variables},
                                   {QStringLiteral("alarms"), QJsonArray::fromStringList(l.lists.alarms)}})
      .toJson();
}

std::optional<RecoveryCopy> ParseRecoveryCopy(const QByteArray& bytes) {
  QJsonParseError error{};
  const QJsonObject o = QJsonDocument::fromJson(bytes, &error).object();
  const auto field = [&o](const char* key) { return o.value(QLatin1String(key)); };
  const auto allText = [](const QJsonArray& a) {
    return std::all_of(a.begin(), a.end(), [](const QJsonValue& v) { return v.isString(); });
  };
  RecoveryCopy copy;
  ListsSnapshot& l = copy.lists;
  copy.written = QDateTime::fromString(field("written").toString(), Qt::ISODate);
  const bool first = field("version") == 1;
  const QJsonArray names{field(first ? "title" : "source"), field("file"), field("opened")};
  const auto kind = static_cast<int>(kSourceKinds.indexOf(names[0].toString()));
  if (error.error != QJsonParseError::NoError || field("kind") != kKind || (field("version") != kVersion && !first) ||
      (!first && (kind < 0 || !field("port").isDouble())) || !copy.written.isValid() || !allText(names) ||
      !field("save").isBool() || !field("variables").isArray() || !field("alarms").isArray() ||
      !allText(field("alarms").toArray())) {
    return std::nullopt;
  }
  l.source = first ? SourceFromTitle(names[0].toString(), names[1].toString())
                   : ListsSource{static_cast<ListsSource::Kind>(kind), names[1].toString(), field("port").toInt()};
  l.lastOpenedPath = names[2].toString();
  l.saveEnabled = field("save").toBool();
  for (const QJsonValue& row : field("variables").toArray()) {
    const QJsonArray c = row.toArray();
    if (c.size() != 6 || !allText(c)) return std::nullopt;
    l.lists.variables.push_back({c[0].toString(), c[1].toString(), c[2].toString(), c[3].toString(),
                                 EditableFromText(c[4].toString()), c[5].toString()});
  }
  for (const QJsonValue& text : field("alarms").toArray()) l.lists.alarms << text.toString();
  return copy;
}

bool NeedsRecoveryCopy(const Editor& s) { return !s.history.AtSaved() && !BothListsEmpty(s); }

RecoveryStore::RecoveryStore(QString folder) : folder_(std::move(folder)) {}

RecoveryStore::~RecoveryStore() = default;

bool RecoveryStore::WriteDue(const Editor& s) {
  if (folder_.isEmpty()) return false;
  if (!NeedsRecoveryCopy(s)) {
    Remove();
    return false;
  }
  const ListsSnapshot now = TakeSnapshot(s);
  return !kept_ || !now.SameLists(*kept_) || !now.SameFile(*kept_);
}

void RecoveryStore::Write(const Editor& s, const QDateTime& now) {
  if (!WriteDue(s)) return;
  // The lock comes first: a copy never stands without it while its editor runs.
  if (!lock_) {
    QDir().mkpath(folder_);
    const QString path = QDir(folder_).filePath(kPattern.arg(QUuid::createUuid().toString(QUuid::WithoutBraces)));
    if ((lock_ = TryLock(path))) path_ = path;
  }
  ListsSnapshot lists = TakeSnapshot(s);
  QSaveFile file(path_);
  const std::optional<QString> error =
      lock_ ? WriteAtomically(file, FormatRecoveryCopy({lists, now})) : QStringLiteral("A pasta não aceita arquivos.");
  if (!error) {
    kept_ = std::move(lists);
    failing_ = false;
  } else if (!std::exchange(failing_, true)) {
    s.messages.Show(Exclamation(QStringLiteral("Não foi possível gravar a cópia de recuperação das listas em "
                                               "\"%1\":\r\n%2")
                                    .arg(QDir::toNativeSeparators(folder_), *error),
                                MessageTitle::RecoveryCopy));
  }
}

void RecoveryStore::Remove() {
  if (kept_) QFile::remove(path_);
  kept_.reset();
}

void RecoveryStore::Offer(Editor& s) {
  if (folder_.isEmpty()) return;
  for (const QFileInfo& info :
       QDir(folder_).entryInfoList({kPattern.arg(QStringLiteral("*"))}, QDir::Files, QDir::Time)) {
    const QString path = info.filePath();
    std::unique_ptr<QLockFile> lock = TryLock(path);
    if (!lock) continue;  // its editor runs, or another one starting is asking about it
    QFile file(path);
    const std::optional<RecoveryCopy> copy = file.size() <= kMaxCopyBytes && file.open(QIODevice::ReadOnly)
                                                 ? ParseRecoveryCopy(file.readAll())
                                                 : std::nullopt;
    file.close();
    if (!copy) {
      const QString aside = path + QStringLiteral(".damaged");
      const QString text = QStringLiteral("A cópia de recuperação \"%1\" está danificada: nada foi carregado dela.")
                               .arg(QDir::toNativeSeparators(path));
      s.messages.Show(Exclamation(
          QFile::rename(path, aside)
              ? text + QStringLiteral("\r\nEla foi guardada como \"%1\".").arg(QDir::toNativeSeparators(aside))
              : text,
          MessageTitle::RecoveryCopyDamaged));
      continue;
    }
    const Answer answer =
        s.messages.Show({QStringLiteral("As listas não salvas de %1 (%2) podem ser recuperadas. Recuperar?")
                             .arg(copy->written.toLocalTime().toString(QStringLiteral("dd/MM/yyyy HH:mm")),
                                  SourceOf(copy->lists.source)),
                         MessageTitle::RecoverLists, MessageButtons::YesNoCancel, MessageIcon::None});
    if (answer == Answer::Cancel) return;
    if (answer == Answer::No) {
      QFile::remove(path);
      continue;
    }
    // This editor goes on with the copy: its next changes are written there.
    Remove();
    path_ = path;
    lock_ = std::move(lock);
    Restore(s, copy->lists);
    kept_ = TakeSnapshot(s);
    return;
  }
}

}  // namespace zelkor
