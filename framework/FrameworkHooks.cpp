#include "framework/FrameworkHooks.h"

FrameworkHooks& GetFrameworkHooks() {
  static FrameworkHooks hooks;
  return hooks;
}
