// Owns one OpenAL object name (a source or a buffer) and deletes it when it
// goes. Needs the owning device's context current (the sound layer keeps one
// device at a time and its context current while it is open). A buffer must
// be detached from every source before it is deleted; owners order that.
#pragma once

#include <cstdint>

namespace platform {

class ALObject {
 public:
  enum class Kind { Source, Buffer };

  ALObject() = default;
  // Generates one name of that kind; an empty object (name 0) when the
  // library gave none (no context, out of names or memory).
  static ALObject Generate(Kind kind);
  ~ALObject();
  ALObject(ALObject&& other) noexcept;
  ALObject& operator=(ALObject&& other) noexcept;
  ALObject(const ALObject&) = delete;
  ALObject& operator=(const ALObject&) = delete;

  std::uint32_t Name() const { return name_; }
  explicit operator bool() const { return name_ != 0; }
  // Deletes the object now; the name becomes 0.
  void Reset();

 private:
  Kind kind_ = Kind::Source;
  std::uint32_t name_ = 0;
};

}  // namespace platform
