// A process-wide container of named items made on first request
// (get-or-create), so every user of a name shares one item: the texture
// container YContainer<YTextureBase> loads each image file once however many
// shaders, fonts and widgets name it. Items live until the program exits.
// Main thread only.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <vector>

#include "render/YContainerItem.h"

template <class T>
class YContainer {
 public:
  using value_type = T;
  using Item = YContainerItem<YContainer<T>>;

  // The first item, in the order they were made, whose name has exactly the
  // same bytes (case-sensitive); null when none has.
  static Item* Find(std::string_view name) {
    for (Item* item : Items().items) {
      if (std::string_view(item->name()) == name) return item;
    }
    return nullptr;
  }

  // The item of that name, made (and so loading) when there is none yet.
  // Never null; the empty name is a name like any other.
  static Item* Get(std::string_view name) {
    if (Item* found = Find(name)) return found;
    return new Item(name);
  }

  static std::size_t Size() { return Items().items.size(); }

  // Deletes every item, for tests and fuzzing that start each case with an
  // empty container. Every pointer handed out before dangles.
  static void Clear() { Items().Clear(); }

 private:
  friend Item;

  // Owns the items: deletes whatever is left when the program exits.
  struct Registry {
    std::vector<Item*> items;
    ~Registry() { Clear(); }
    void Clear() {
      while (!items.empty()) delete items.back();  // each one unregisters itself
    }
  };

  static Registry& Items() {
    static Registry registry;
    return registry;
  }

  static void Register(Item* item) { Items().items.push_back(item); }

  static void Unregister(Item* item) {
    std::vector<Item*>& items = Items().items;
    const auto it = std::find(items.begin(), items.end(), item);
    if (it == items.end()) return;
    *it = items.back();
    items.pop_back();
  }
};
