#pragma once

#include <QPointer>
#include <QWidget>

class QLabel;
class QLineEdit;
class QTextBrowser;
class QUrl;

namespace zelkor {

// The technician's manual, as built into the program: its links, back and
// forward, and a search that goes on through the following chapters.
class HelpWindow final : public QWidget {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent = nullptr);
  // A chapter, with or without its section: "variaveis.html", "mensagens.html#clp-nao-responde".
  void Open(const QString& page);
  QUrl Shown() const;
  // Finds `text` after the cursor, then in the following chapters; false when the manual has it nowhere.
  bool Find(const QString& text);

 private:
  QTextBrowser* browser_;
  QLineEdit* search_;
  QLabel* notFound_;
};

// Opens the manual at `page` in `window`, made on first use as a window of `owner`'s. A modal dialog owns its
// own: a window outside it could not be used while it is open.
HelpWindow& ShowManual(QPointer<HelpWindow>& window, QWidget& owner, const QString& page);

// The chapter and section for a message's "Ajuda".
QString MessagePage(const QString& anchor);

}  // namespace zelkor
