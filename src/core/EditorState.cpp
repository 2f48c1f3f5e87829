#include "EditorState.h"

#include "ControlNames.h"

#include <stdexcept>

namespace zelkor {

EditorState::EditorState(MessageService& messageService) : messages(messageService) {
  for (const QString& n : name::AllButtons()) buttons_[n] = {};
  for (const QString& n : name::AllFields()) fields_[n] = {};
}

namespace {
template <class Map>
auto& Find(Map& map, const QString& objectName) {
  auto it = map.find(objectName);
  if (it == map.end()) {
    throw std::out_of_range("Controle desconhecido: " + objectName.toStdString());
  }
  return it->second;
}
}  // namespace

ButtonState& EditorState::button(const QString& n) { return Find(buttons_, n); }
const ButtonState& EditorState::button(const QString& n) const { return Find(buttons_, n); }
FieldState& EditorState::field(const QString& n) { return Find(fields_, n); }
const FieldState& EditorState::field(const QString& n) const { return Find(fields_, n); }

}  // namespace zelkor
