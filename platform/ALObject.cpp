#include "platform/ALObject.h"

#include <AL/al.h>

#include <utility>

namespace platform {

ALObject ALObject::Generate(Kind kind) {
  ALObject object;
  object.kind_ = kind;
  ALuint name = 0;
  if (kind == Kind::Source) {
    alGenSources(1, &name);
    if (name != 0 && !alIsSource(name)) name = 0;
  } else {
    alGenBuffers(1, &name);
    if (name != 0 && !alIsBuffer(name)) name = 0;
  }
  object.name_ = name;
  return object;
}

ALObject::~ALObject() {
  Reset();
}

ALObject::ALObject(ALObject&& other) noexcept : kind_(other.kind_), name_(std::exchange(other.name_, 0)) {}

ALObject& ALObject::operator=(ALObject&& other) noexcept {
  if (this == &other) return *this;
  Reset();
  kind_ = other.kind_;
  name_ = std::exchange(other.name_, 0);
  return *this;
}

void ALObject::Reset() {
  const ALuint name = std::exchange(name_, 0);
  if (name == 0) return;
  if (kind_ == Kind::Source) {
    alDeleteSources(1, &name);
  } else {
    alDeleteBuffers(1, &name);
  }
}

}  // namespace platform
