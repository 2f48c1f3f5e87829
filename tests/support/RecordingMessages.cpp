#include "RecordingMessages.h"

#include <gtest/gtest.h>

namespace zelkor::testing {

Answer RecordingMessages::Show(const Message& message) {
  shown_.push_back(message);
  if (whileShown) whileShown(message);
  if (message.buttons == MessageButtons::Ok) return Answer::Ok;
  if (answers_.empty()) {
    ADD_FAILURE() << "unscripted question: " << message.text.toStdString();
    return Answer::Cancel;
  }
  const Answer answer = answers_.front();
  answers_.pop_front();
  return answer;
}

}  // namespace zelkor::testing
