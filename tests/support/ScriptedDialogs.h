#pragma once

#include "paramfile/FileDialog.h"

#include <QFileInfo>

#include <deque>
#include <vector>

#include <gtest/gtest.h>

namespace zelkor::testing {

// Answers file dialogs from a script and keeps every request.
class ScriptedDialogs final : public FileDialogService {
 public:
  FileDialogResult Show(const FileDialogRequest& request) override {
    requests.push_back(request);
    if (answers.empty()) {
      ADD_FAILURE() << "unscripted file dialog: " << request.title.toStdString();
      return {};
    }
    const QString path = answers.front();
    answers.pop_front();
    if (path.isEmpty()) return {};  // cancelled
    return {false, path, QFileInfo(path).fileName()};
  }

  std::deque<QString> answers;  // an empty one cancels
  std::vector<FileDialogRequest> requests;
};

}  // namespace zelkor::testing
