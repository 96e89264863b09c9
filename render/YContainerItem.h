// An item of a process-wide named container (YContainer): the container's
// value type made from a name, registered in the container for its whole
// life. Main thread only.
#pragma once

#include <string>
#include <string_view>

template <class Container>
class YContainerItem : public Container::value_type {
 public:
  // Builds the value from the name (a texture starts loading), then joins
  // the container.
  explicit YContainerItem(std::string_view name) : Container::value_type(std::string(name)) {
    Container::Register(this);
  }
  // Leaves the container (the last item moves into its place).
  ~YContainerItem() override { Container::Unregister(this); }
};
