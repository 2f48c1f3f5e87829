#include "EditHistory.h"

namespace zelkor {

void EditHistory::Reset() {
  steps_.clear();
  applied_ = 0;
  saved_ = 0;
}

void EditHistory::Push(QString label, ListsSnapshot before, ListsSnapshot after) {
  steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(applied_), steps_.end());
  if (saved_ && *saved_ > applied_) saved_.reset();  // the saved lists can no longer be reached
  steps_.push_back({std::move(label), std::make_shared<const ListsSnapshot>(std::move(before)),
                    std::make_shared<const ListsSnapshot>(std::move(after))});
  ++applied_;
  if (steps_.size() > kMaxSteps) {
    steps_.pop_front();
    --applied_;
    if (saved_) saved_ = *saved_ > 0 ? std::optional<size_t>(*saved_ - 1) : std::nullopt;
  }
}

EditHistory::Move EditHistory::Undo() {
  const Step& step = steps_[--applied_];
  return {*step.before, *step.after};
}

EditHistory::Move EditHistory::Redo() {
  const Step& step = steps_[applied_++];
  return {*step.after, *step.before};
}

}  // namespace zelkor
