#pragma once

#include "core/Messages.h"

#include <deque>
#include <functional>
#include <vector>

namespace zelkor::testing {

// Keeps every message box shown and answers from a script. A question with no
// scripted answer fails the test and is answered Cancel, the harmless choice.
class RecordingMessages final : public MessageService {
 public:
  Answer Show(const Message& message) override;

  void Script(Answer answer) { answers_.push_back(answer); }
  const std::vector<Message>& shown() const { return shown_; }
  void Forget() { shown_.clear(); }
  // Runs while a box is "open", before it is answered.
  std::function<void(const Message&)> whileShown;

 private:
  std::deque<Answer> answers_;
  std::vector<Message> shown_;
};

}  // namespace zelkor::testing
