#pragma once

#include "commands/FileDialog.h"
#include "commands/Messages.h"
#include "commands/PlcCompare.h"

#include <QFileInfo>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <vector>

// The message box and file dialog seams, answered from a script.
namespace zelkor::testing {

// Keeps every message box shown and answers from a script. A question with no
// scripted answer fails the test and is answered Cancel, the harmless choice.
class RecordingMessages final : public MessageService {
 public:
  ~RecordingMessages() override { EXPECT_TRUE(answers.empty()) << answers.size() << " scripted answers left unused"; }
  Answer Show(const Message& message) override {
    shown.push_back(message);
    if (whileShown) whileShown(message);
    if (message.buttons == MessageButtons::Ok) return Answer::Ok;
    if (answers.empty()) ADD_FAILURE() << "unscripted question: " << message.text.toStdString();
    const Answer answer = answers.empty() ? Answer::Cancel : answers.front();
    if (!answers.empty()) answers.pop_front();
    return answer;
  }
  // Titles of the boxes shown since the last call, separated by "|"; "#anchor" where "Ajuda" leads.
  QString Titles() {
    QStringList titles;
    for (; seen_ < shown.size(); ++seen_) {
      const Message& m = shown[seen_];
      titles << TitleText(m.title) + (m.help == MessageHelp::None ? QString() : u'#' + HelpAnchor(m.help));
    }
    return titles.join(u'|');
  }

  std::vector<Message> shown;
  std::deque<Answer> answers;
  // Runs while a box is "open", before it is answered.
  std::function<void(const Message&)> whileShown;

 private:
  size_t seen_ = 0;
};

// Answers file dialogs from a script (an empty path cancels; each "*" in it
// picks the dialog's next file type) and keeps every request.
class ScriptedDialogs final : public FileDialogService {
 public:
  ~ScriptedDialogs() override { EXPECT_TRUE(answers.empty()) << answers.size() << " scripted file names left unused"; }
  FileDialogResult Show(const FileDialogRequest& request) override {
    requests.push_back(request);
    if (answers.empty()) ADD_FAILURE() << "unscripted file dialog: " << request.title.toStdString();
    QString path = answers.empty() ? QString() : answers.front();
    if (!answers.empty()) answers.pop_front();
    const auto type = static_cast<int>(path.count(u'*'));
    path.remove(u'*');
    return {path.isEmpty(), path, QFileInfo(path).fileName(), type};
  }

  std::deque<QString> answers;
  std::vector<FileDialogRequest> requests;
};

// Keeps every comparison shown and answers "Usar o CLP" only when scripted to.
class ScriptedComparisons final : public ComparisonView {
 public:
  bool Show(const QString& title, const PlcComparison& comparison) override {
    shown.emplace_back(title, comparison);
    return std::exchange(useNext, false);
  }
  std::vector<std::pair<QString, PlcComparison>> shown;
  bool useNext = false;
};

}  // namespace zelkor::testing
