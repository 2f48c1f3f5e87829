#include "EditHistory.h"

#include <algorithm>

namespace zelkor {

void EditHistory::Reset(const QString& file) {
  steps_.clear();
  applied_ = 0;
  saved_ = {{0, file}};
}

void EditHistory::MarkSaved(const QString& file) {
  std::erase_if(saved_, [&](const InFile& s) { return s.file == file; });
  saved_.push_back({applied_, file});
}

bool EditHistory::AtSaved() const {
  return std::any_of(saved_.begin(), saved_.end(), [&](const InFile& s) { return s.applied == applied_; });
}

void EditHistory::Push(QString label, ListsSnapshot before, ListsSnapshot after) {
  steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(applied_), steps_.end());
  std::erase_if(saved_, [&](const InFile& s) { return s.applied > applied_; });  // can no longer be reached
  steps_.push_back({std::move(label), std::make_shared<const ListsSnapshot>(std::move(before)),
                    std::make_shared<const ListsSnapshot>(std::move(after))});
  ++applied_;
  if (steps_.size() > kMaxSteps) {
    steps_.pop_front();
    --applied_;
    std::erase_if(saved_, [](const InFile& s) { return s.applied == 0; });
    for (InFile& s : saved_) --s.applied;
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
