// One list of cached meshes of one kind, found by the name they were first
// requested by (a compiled file may store another). The meshes live until
// exit; the list never moves them, so the pointers it hands out stay valid.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

template <typename Mesh>
class MeshCacheList {
 public:
  // The first mesh requested by exactly that name, or null.
  Mesh* Find(std::string_view name) const {
    for (const Entry& entry : entries_)
      if (entry.requested == name) return entry.mesh.get();
    return nullptr;
  }
  // Find, or else a new mesh given to `load` (name, mesh) and kept whether
  // the load worked or not.
  template <typename Load>
  Mesh* FindOrLoad(std::string_view name, Load load) {
    if (Mesh* found = Find(name)) return found;
    Mesh* mesh = entries_.emplace_back(Entry{std::string(name), std::make_unique<Mesh>()}).mesh.get();
    load(*mesh, name);
    return mesh;
  }

 private:
  struct Entry {
    std::string requested;
    std::unique_ptr<Mesh> mesh;
  };
  std::vector<Entry> entries_;
};
