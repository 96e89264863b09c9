// The shipped catalogues of the English interface, read from the program
// folder, which becomes the working folder for the object's life, and a
// user folder of its own holding the seed profiles. What the modes' tests
// and the headless game runs stand on.
#pragma once

#include <filesystem>
#include <string>

#include "tests/support/TestSupport.h"

class ShippedCatalogues {
 public:
  explicit ShippedCatalogues(const std::filesystem::path& gameFolder);
  // Rescans the profiles and gives the user folder back.
  ~ShippedCatalogues();
  ShippedCatalogues(const ShippedCatalogues&) = delete;
  ShippedCatalogues& operator=(const ShippedCatalogues&) = delete;

 private:
  testing_support::ScopedTempDir user_;
  testing_support::ScopedCwd cwd_;
  std::string oldAppData_;
};
