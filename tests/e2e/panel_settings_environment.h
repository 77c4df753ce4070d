// Every scenario of a test program runs with the console's settings file in place.
#pragma once
#include "desktop.h"

#include <gtest/gtest.h>

namespace e2e {

class PanelSettingsEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { ASSERT_TRUE(InstallPanelSettings()) << "cannot write ORBITA.INI"; }
  void TearDown() override { RestorePanelSettings(); }
};

inline ::testing::Environment* const PanelSettings =
    ::testing::AddGlobalTestEnvironment(new PanelSettingsEnvironment);

}  // namespace e2e
